#include <cmath>
#include <limits>
#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include "mobrdchk/CheckMessages.h"
#include "mobrdchk/DlgDataCheck.h"
#include "mobrdlg/ZqUiDriver.h"

namespace {

class QtApp : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "dchk_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};
[[maybe_unused]] auto* const kEnv = ::testing::AddGlobalTestEnvironment(new QtApp);

// A check object that never shows a box by itself.
struct Silent : CDlgDataCheck {
    Silent() { SetMsgBox(0); }
};

TEST(StringCheckReal, AcceptsThePlainDecimalGrammar) {
    Silent chk;
    const struct {
        const char* text;
        double value;
    } good[] = {
        {"1.5", 1.5},       {" -0.25 ", -0.25}, {"+.5", 0.5},  {"5.", 5.0},
        {"0", 0.0},         {"\t12\t", 12.0},   {"-0", 0.0},   {"\x81\x40" "7\x81\x40", 7.0},
        {"10000000000000", 1e13},               {"0.01", 0.01},
    };
    for (const auto& g : good) {
        double v = -1.0;
        EXPECT_EQ(chk.StringCheck(g.text, -1, &v), 1) << g.text;
        EXPECT_EQ(v, g.value) << g.text;
        if (g.value == 0.0) {
            EXPECT_FALSE(std::signbit(v)) << g.text << " must not give -0";
        }
        EXPECT_EQ(chk.GetLastErrId(), 0);
        EXPECT_TRUE(chk.GetLastErrMsg().empty());
    }
}

TEST(StringCheckReal, RefusesAnythingElseAndLeavesTheValue) {
    Silent chk;
    const char* bad[] = {"", "   ", "abc", "1e5", "1..2", "-", ".", "12 3", "1,5", "--1", "+-1",
                         "\x82\x50",  // full-width digit one
                         "0x10", "1.2.", "inf", "nan"};
    for (const char* b : bad) {
        double v = 42.0;
        EXPECT_EQ(chk.StringCheck(b, -1, &v), 0) << b;
        EXPECT_EQ(v, 42.0) << b;
        EXPECT_EQ(chk.GetLastErrId(), dchkmsg::NotNumber) << b;
        EXPECT_EQ(chk.GetLastErrMsg(), "Enter a number.");
    }
}

TEST(StringCheckReal, DigitCountLimitsTheDecimals) {
    Silent chk;
    double v = 0;
    EXPECT_EQ(chk.StringCheck("1.23", 2, &v), 1);
    EXPECT_EQ(v, 1.23);
    EXPECT_EQ(chk.StringCheck("0.001", 3, &v), 1);
    EXPECT_EQ(chk.StringCheck("1.230", 2, &v), 0) << "trailing zeros are typed decimals too";
    EXPECT_EQ(chk.GetLastErrId(), dchkmsg::TooManyDecimals);
    EXPECT_EQ(chk.GetLastErrMsg(), "Enter a number with at most 2 decimal places.");
    EXPECT_EQ(v, 0.001);

    EXPECT_EQ(chk.StringCheck("12.", 0, &v), 1);
    EXPECT_EQ(v, 12.0);
    EXPECT_EQ(chk.StringCheck("1.5", 0, &v), 0);
    EXPECT_EQ(chk.GetLastErrId(), dchkmsg::NotWhole);

    EXPECT_EQ(chk.StringCheck("3.14159265358979", -1, &v), 1) << "negative digits: no limit";
    EXPECT_EQ(chk.StringCheck("2.5", 1, static_cast<double*>(nullptr)), 1) << "a null destination only checks";
}

TEST(StringCheckReal, HugeNumbersAreRefused) {
    Silent chk;
    double v = 1.0;
    EXPECT_EQ(chk.StringCheck(std::string(400, '9'), -1, &v), 0);
    EXPECT_EQ(chk.GetLastErrId(), dchkmsg::TooLarge);
    EXPECT_EQ(v, 1.0);
}

TEST(StringCheckInt, WholeNumbersWithinDigitsAndIntRange) {
    Silent chk;
    int v = 0;
    EXPECT_EQ(chk.StringCheck("-8", 0, &v), 1);
    EXPECT_EQ(v, -8);
    EXPECT_EQ(chk.StringCheck(" +8 ", 0, &v), 1);
    EXPECT_EQ(v, 8);
    EXPECT_EQ(chk.StringCheck("007", 2, &v), 1) << "leading zeros are not digits of the value";
    EXPECT_EQ(v, 7);
    EXPECT_EQ(chk.StringCheck("-2147483648", 0, &v), 1);
    EXPECT_EQ(v, std::numeric_limits<int>::min());

    v = 5;
    EXPECT_EQ(chk.StringCheck("123", 2, &v), 0);
    EXPECT_EQ(chk.GetLastErrId(), dchkmsg::TooManyDigits);
    EXPECT_EQ(chk.GetLastErrMsg(), "Enter a whole number of at most 2 digits.");
    EXPECT_EQ(chk.StringCheck("1.0", 0, &v), 0);
    EXPECT_EQ(chk.GetLastErrId(), dchkmsg::NotWhole);
    EXPECT_EQ(chk.StringCheck("2147483648", 0, &v), 0);
    EXPECT_EQ(chk.GetLastErrId(), dchkmsg::TooLarge);
    EXPECT_EQ(chk.StringCheck("x", 0, &v), 0);
    EXPECT_EQ(chk.GetLastErrId(), dchkmsg::NotNumber);
    EXPECT_EQ(v, 5) << "failures never touch the value";
}

TEST(CheckData, BothEndsIncludedAndMessageNamesThem) {
    Silent chk;
    double v = 0;
    ASSERT_EQ(chk.StringCheck("0.01", 2, &v), 1);
    EXPECT_EQ(chk.CheckData(v, 0.01, 1e13), 1) << "a typed lower end is inside";
    ASSERT_EQ(chk.StringCheck("10000000000000", 2, &v), 1);
    EXPECT_EQ(chk.CheckData(v, 0.01, 1e13), 1) << "a typed upper end is inside";

    EXPECT_EQ(chk.CheckData(0.00999, 0.01, 1e13), 0);
    EXPECT_EQ(chk.GetLastErrId(), dchkmsg::OutOfRange);
    EXPECT_EQ(chk.GetLastErrMsg(), "Enter a value from 0.01 to 10000000000000.");
    EXPECT_EQ(chk.CheckData(1e13 * 1.0000001, 0.01, 1e13), 0);
    EXPECT_EQ(chk.CheckData(std::nan(""), 0.0, 1.0), 0) << "not-a-number is never in range";
    EXPECT_EQ(chk.CheckData(0.001, 0.001, 99999999.0), 1);
    EXPECT_EQ(chk.GetLastErrId(), 0) << "a pass clears the last failure";

    EXPECT_EQ(chk.CheckData(-8, -8, 8), 1);
    EXPECT_EQ(chk.CheckData(8, -8, 8), 1);
    EXPECT_EQ(chk.CheckData(9, -8, 8), 0);
    EXPECT_EQ(chk.GetLastErrMsg(), "Enter a value from -8 to 8.");
    EXPECT_EQ(chk.CheckData(-0.5, -45.0, 45.0), 1);
    EXPECT_EQ(chk.CheckData(45.5, -45.0, 45.0), 0);
    EXPECT_EQ(chk.GetLastErrMsg(), "Enter a value from -45 to 45.");
}

TEST(Formatting, DbltoStrSignificantDigitsWithoutTrailingZeros) {
    std::string t;
    EXPECT_EQ(CDlgDataCheck::DbltoStr(0.5, 14, t), 3);
    EXPECT_EQ(t, "0.5");
    CDlgDataCheck::DbltoStr(12.0, 14, t);
    EXPECT_EQ(t, "12");
    CDlgDataCheck::DbltoStr(1.0 / 3.0, 14, t);
    EXPECT_EQ(t, "0.33333333333333");
    CDlgDataCheck::DbltoStr(-99999999999999.0, 14, t);
    EXPECT_EQ(t, "-99999999999999");
    CDlgDataCheck::DbltoStr(1e-8, 14, t);
    EXPECT_EQ(t, "0.00000001");
    CDlgDataCheck::DbltoStr(-0.0, 14, t);
    EXPECT_EQ(t, "0");
    CDlgDataCheck::DbltoStr(9.9999999999999999, 14, t);
    EXPECT_EQ(t, "10");
    CDlgDataCheck::DbltoStr(123.456, 4, t);
    EXPECT_EQ(t, "123.5");
    CDlgDataCheck::DbltoStr(1234567.0, 3, t);
    EXPECT_EQ(t, "1230000");
    CDlgDataCheck::DbltoStr(0.1 + 0.2, 14, t);
    EXPECT_EQ(t, "0.3") << "binary noise beyond the digits is rounded away";

    // What DbltoStr writes, StringCheck reads back to the same value.
    Silent chk;
    for (double d : {0.5, 1e13, 0.01, -45.0, 123456.789, 1e-8}) {
        CDlgDataCheck::DbltoStr(d, 15, t);
        double back = 0;
        ASSERT_EQ(chk.StringCheck(t, -1, &back), 1) << t;
        EXPECT_DOUBLE_EQ(back, d);
    }
}

TEST(Blanks, SpaceCutScansDoubleByteTextForward) {
    std::string t = "  a b \t";
    EXPECT_EQ(CDlgDataCheck::SpaceCut(t), "a b");
    t = "\x81\x40" "AB" "\x81\x40";
    EXPECT_EQ(CDlgDataCheck::SpaceCut(t), "AB");
    // 0x81 0x81 is one character; the '@' (0x40) after it is not the second
    // half of a double-byte space.
    t = "\x81\x81" "\x40";
    EXPECT_EQ(CDlgDataCheck::SpaceCut(t), "\x81\x81\x40");
    t = "   ";
    EXPECT_EQ(CDlgDataCheck::SpaceCut(t), "");

    EXPECT_TRUE(CDlgDataCheck::IsAllSpace(""));
    EXPECT_TRUE(CDlgDataCheck::IsAllSpace(" \t\x81\x40 "));
    EXPECT_FALSE(CDlgDataCheck::IsAllSpace("\x81\x81\x40"));
    EXPECT_FALSE(CDlgDataCheck::IsAllSpace(" x "));
}

TEST(Messages, FailuresAreShownWithTheirIdsUnlessSilent) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    CZqUiDriver driver;  // answers every box with its default button

    CDlgDataCheck loud;  // shows by default
    double v = 0;
    EXPECT_EQ(loud.StringCheck("1.234", 2, &v), 0);
    ASSERT_EQ(driver.transcript().messages().size(), 1u);
    EXPECT_EQ(driver.transcript().messages()[0].messageId, dchkmsg::TooManyDecimals);
    EXPECT_EQ(driver.transcript().messages()[0].flags & 0xF0u, 0x30u) << "an exclamation box";

    Silent quiet;
    EXPECT_EQ(quiet.CheckData(20.0, 0.0, 1.0), 0);
    EXPECT_EQ(driver.transcript().messages().size(), 1u) << "silent checks show nothing";

    // The caller shows the failure at the field: recorded with the failure's id.
    quiet.DataCheckMsgBoxEx(quiet.GetLastErrMsg(), edit);
    ASSERT_EQ(driver.transcript().messages().size(), 2u);
    EXPECT_EQ(driver.transcript().messages()[1].messageId, dchkmsg::OutOfRange);
    EXPECT_EQ(driver.transcript().messages()[1].text, "Enter a value from 0 to 1.");

    // A text of the caller's own is not taken for the failure.
    quiet.DataCheckMsgBox("Something else.");
    ASSERT_EQ(driver.transcript().messages().size(), 3u);
    EXPECT_EQ(driver.transcript().messages()[2].messageId, 0);
}

TEST(Focus, FocusFieldSelectsTheWholeText) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* other = new QLineEdit(QStringLiteral("x"), &window);
    auto* field = new QLineEdit(QStringLiteral("12.345"), &window);
    layout->addWidget(other);
    layout->addWidget(field);
    window.show();
    QApplication::setActiveWindow(&window);
    other->setFocus();
    field->setCursorPosition(2);

    CDlgDataCheck::focusField(field);
    EXPECT_EQ(window.focusWidget(), field);
    EXPECT_EQ(field->selectedText(), QStringLiteral("12.345"));
    CDlgDataCheck::focusField(nullptr);  // harmless
}

}  // namespace
