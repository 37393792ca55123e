#include <gtest/gtest.h>

#include <QApplication>

#include "mobrdlg/ZqResources.h"

// One QApplication for the whole program; the test resource file stays
// registered for every test.
int main(int argc, char** argv)
{
    // Test discovery runs the program at build time, outside CTest's
    // environment: default to the offscreen platform there too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (ZqLoadResourceFile(TEST_DLG_RCC) == 0) {
        fprintf(stderr, "test resource file %s missing\n", TEST_DLG_RCC);
        return 2;
    }
    return RUN_ALL_TESTS();
}
