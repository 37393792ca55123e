#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

#include "CctlTestMain.h"
#include "mobrcctl/SpinEdit.h"
#include "mobrcctl/ZqSpinButtons.h"
#include "mobrcctl/ZqSpinEdit.h"
#include "mobrdlg/ZqUiLoader.h"

namespace {

class SpinTest : public ::testing::Test {
protected:
    void SetUp() override {
        edit = new ZqSpinEdit(win.root.get());
        edit->setObjectName(QStringLiteral("c1401"));
        edit->resize(80, 22);
        win.wire();
    }
    TestWindow win;
    ZqSpinEdit* edit = nullptr;
};

TEST_F(SpinTest, IntegerStepsStayWithinTheRange) {
    CSpinEdit spin(-8, 8, 1, 0);
    ASSERT_EQ(spin.SubclassSpinEdit(1401, 10002, &win), 1);
    EXPECT_EQ(spin.spinId(), 10002);
    EXPECT_EQ(edit->text(), QStringLiteral("0"));
    for (int i = 0; i < 3; ++i) pressKey(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("3"));
    for (int i = 0; i < 20; ++i) pressKey(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("8"));
    EXPECT_EQ(spin.GetCurrentPosition(), 8.0);
    for (int i = 0; i < 30; ++i) spin.spin()->downButton()->click();
    EXPECT_EQ(edit->text(), QStringLiteral("-8"));
}

TEST_F(SpinTest, AnyTextCanBeTypedAndStepsResumeFromIt) {
    CSpinEdit spin(0, 255, 1, 10);
    ASSERT_EQ(spin.SubclassSpinEdit(1401, 2401, &win), 1);
    edit->selectAll();
    typeKeys(edit, QStringLiteral("abc"));
    EXPECT_EQ(edit->text(), QStringLiteral("abc")) << "validation is the dialog's job";
    EXPECT_EQ(spin.GetCurrentPosition(), 10.0) << "not a number: the last value";
    pressKey(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("11"));

    edit->selectAll();
    typeKeys(edit, QStringLiteral("300"));
    EXPECT_EQ(edit->text(), QStringLiteral("300"));
    EXPECT_EQ(spin.GetCurrentPosition(), 300.0);
    pressKey(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("255")) << "a step brings a typed value back into range";
}

TEST_F(SpinTest, RealStepsDoNotAccumulateBinaryNoise) {
    CSpinEdit spin(0.1, 1.0, 0.1, 0.1);
    spin.SetValidDecimalPoint(1);
    ASSERT_EQ(spin.SubclassSpinEdit(1401, 10004, &win), 1);
    EXPECT_EQ(edit->text(), QStringLiteral("0.1"));
    for (int i = 0; i < 2; ++i) pressKey(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("0.3"));
    EXPECT_DOUBLE_EQ(spin.GetCurrentPosition(), 0.3);
    for (int i = 0; i < 12; ++i) pressKey(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("1.0"));
    pressKey(edit, Qt::Key_Down);
    EXPECT_EQ(edit->text(), QStringLiteral("0.9"));
}

TEST_F(SpinTest, StepsAreUserEditsButSettingFromCodeIsNot) {
    CSpinEdit spin(1, 100, 1, 5);
    ASSERT_EQ(spin.SubclassSpinEdit(1401, 10000, &win), 1);
    QSignalSpy edited(edit, &QLineEdit::textEdited);
    spin.SetCurrentPosition(7);
    EXPECT_EQ(edited.count(), 0);
    spin.spin()->upButton()->click();
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(0).toString(), QStringLiteral("8"));
}

TEST_F(SpinTest, SetCurrentPositionClampsAndFormatsTruncate) {
    CSpinEdit spin(1.0, 99.0, 1.0, 24.7);
    spin.SetFormatString("%d");
    ASSERT_EQ(spin.SubclassSpinEdit(1401, 10003, &win), 1);
    EXPECT_EQ(edit->text(), QStringLiteral("24"));
    spin.SetCurrentPosition(150.0);
    EXPECT_EQ(edit->text(), QStringLiteral("99"));
    spin.SetCurrentPosition(-3.0);
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    spin.SetFormatString("%.1lf mm");
    EXPECT_EQ(edit->text(), QStringLiteral("1.0 mm"));
}

TEST_F(SpinTest, DisabledOrKeylessSpinsDoNotStep) {
    CSpinEdit spin(0, 5, 1, 2);
    ASSERT_EQ(spin.SubclassSpinEdit(1401, 10002, &win), 1);
    spin.SetWindowState(0);
    EXPECT_FALSE(edit->isEnabled());
    spin.spin()->stepBy(1);
    EXPECT_EQ(edit->text(), QStringLiteral("2"));
    spin.SetWindowState(1);
    spin.SetSpinStyle(0);
    pressKey(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("2")) << "style 0: the arrow keys do not step";
    spin.SetSpinStyle(SPIN_STYLE_ARROWKEYS | SPIN_STYLE_WRAP);
    for (int i = 0; i < 4; ++i) pressKey(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("0")) << "wrapping from 5 to 0";
}

TEST_F(SpinTest, PlainLineEditsGetArrowsToo) {
    auto* plain = new QLineEdit(win.root.get());
    plain->setObjectName(QStringLiteral("c1402"));
    win.wire();
    CSpinEdit spin(0, 5, 1, 2);
    ASSERT_EQ(spin.SubclassSpinEdit(1402, 10003, &win), 1);
    ASSERT_NE(spin.spin(), nullptr);
    spin.spin()->upButton()->click();
    EXPECT_EQ(plain->text(), QStringLiteral("3"));
    EXPECT_EQ(CSpinEdit(0, 1, 1, 0).SubclassSpinEdit(1999, 1, &win), 0);
}

TEST(SpinFactory, LayoutsCanNameTheSpinEdit) {
    QWidget root;
    CZqUiLoader loader(&root);
    QWidget* w = loader.createWidget(QStringLiteral("ZqSpinEdit"), &root, QStringLiteral("c1401"));
    EXPECT_NE(qobject_cast<ZqSpinEdit*>(w), nullptr);
}

}  // namespace
