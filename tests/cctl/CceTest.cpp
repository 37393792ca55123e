#include <vector>

#include <QLineEdit>
#include <QSignalSpy>

#include "CctlTestMain.h"
#include "mobrcctl/CCE.h"

namespace {

[[maybe_unused]] auto* const kEnv = ::testing::AddGlobalTestEnvironment(new CctlQtApp);

struct Reject {
    int id, code;
};

class CceTest : public ::testing::Test {
protected:
    void SetUp() override {
        edit = new QLineEdit(win.root.get());
        edit->setObjectName(QStringLiteral("c1402"));
        win.wire();
    }
    TestWindow win;
    QLineEdit* edit = nullptr;
};

TEST_F(CceTest, SubclassFindsTheEditById) {
    CCE cce;
    EXPECT_EQ(cce.SubclassCCE(1401, &win, CCE_KIND_REAL), 0) << "no such control";
    EXPECT_EQ(cce.SubclassCCE(1402, nullptr, CCE_KIND_REAL), 0);
    ASSERT_EQ(cce.SubclassCCE(1402, &win, CCE_KIND_REAL), 1);
    EXPECT_EQ(cce.controlId(), 1402);
    EXPECT_EQ(cce.edit(), edit);
    EXPECT_EQ(CCE_KIND_REAL, 4234);
    EXPECT_EQ(CCE_KIND_TEXT, 131);
}

TEST_F(CceTest, RealEditFiltersCharactersPointsDecimalsAndLength) {
    CCE cce;
    ASSERT_EQ(cce.SubclassCCE(1402, &win, CCE_KIND_REAL), 1);
    cce.SetMinMaxData(-99999999999999.0, 99999999999999.0);
    cce.SetAvailDec(2);
    cce.SetInpMax(8);
    cce.SetSendMessageMode(1);
    std::vector<Reject> rejects;
    cce.setRejectHandler([&](int id, int code) { rejects.push_back({id, code}); });

    typeKeys(edit, QStringLiteral("-12a.3.45"));
    EXPECT_EQ(edit->text(), QStringLiteral("-12.34"));
    ASSERT_EQ(rejects.size(), 3u);
    EXPECT_EQ(rejects[0].code, CCE_ERR_CHAR);
    EXPECT_EQ(rejects[1].code, CCE_ERR_POINT);
    EXPECT_EQ(rejects[2].code, CCE_ERR_DECIMALS);
    EXPECT_EQ(rejects[0].id, 1402);
    // The dialog holding the edit hears the same, with the length limit.
    ASSERT_EQ(win.notices.size(), 3u);
    EXPECT_EQ(win.notices[2].id, 1402);
    EXPECT_EQ(win.notices[2].code, CCE_ERR_DECIMALS);
    EXPECT_EQ(win.notices[2].param, 8);

    edit->clear();
    rejects.clear();
    typeKeys(edit, QStringLiteral("1234567890"));
    EXPECT_EQ(edit->text(), QStringLiteral("12345678"));
    ASSERT_EQ(rejects.size(), 2u);
    EXPECT_EQ(rejects[0].code, CCE_ERR_TOO_LONG);

    edit->clear();
    rejects.clear();
    typeKeys(edit, QStringLiteral("5-"));
    EXPECT_EQ(edit->text(), QStringLiteral("5"));
    ASSERT_EQ(rejects.size(), 1u);
    EXPECT_EQ(rejects[0].code, CCE_ERR_SIGN) << "a sign only at the start";
}

// What typing leaves in the edit for a kind and a range.
TEST_F(CceTest, TypingFollowsTheKindAndTheSignOfTheRange) {
    struct Case {
        const char* what;
        int kind;
        double minimum, maximum;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {"no minus for a range above 0", CCE_KIND_REAL, 0.01, 999.0, "-5", "5"},
        {"a minus for a range below 0", CCE_KIND_REAL, -45.0, 45.0, "-5", "-5"},
        {"the range is not checked while typing", CCE_KIND_REAL, 0.0, 10.0, "99999", "99999"},
        {"no point in an integer", CCE_KIND_INTEGER, 0.0, 99.0, "1.5", "15"},
    };
    for (const Case& c : cases) {
        CCE cce;
        ASSERT_EQ(cce.SubclassCCE(1402, &win, c.kind), 1);
        cce.SetMinMaxData(c.minimum, c.maximum);
        edit->clear();
        typeKeys(edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown)) << c.what;
    }
}

TEST_F(CceTest, HalfTypedNumbersStillLetEnterThrough) {
    CCE cce;
    ASSERT_EQ(cce.SubclassCCE(1402, &win, CCE_KIND_REAL), 1);
    QSignalSpy enter(edit, &QLineEdit::returnPressed);
    typeKeys(edit, QStringLiteral("-"));
    pressKey(edit, Qt::Key_Return);
    EXPECT_EQ(enter.count(), 1) << "the dialog must see Enter to validate the field";
}

TEST_F(CceTest, TextKindTakesAnyCharacterUpToTheLimit) {
    CCE cce;
    ASSERT_EQ(cce.SubclassCCE(1402, &win, CCE_KIND_TEXT), 1);
    cce.SetInpMax(8);
    QSignalSpy spy(&cce, &CCE::inputRejected);
    typeKeys(edit, QStringLiteral("ab-1.x ZQW"));
    EXPECT_EQ(edit->text(), QStringLiteral("ab-1.x Z"));
    EXPECT_EQ(spy.count(), 0) << "send-message mode is off by default";
    EXPECT_TRUE(win.notices.empty());
}

TEST_F(CceTest, DestroyingTheCceFirstDetachesTheFilter) {
    {
        CCE cce;
        ASSERT_EQ(cce.SubclassCCE(1402, &win, CCE_KIND_INTEGER), 1);
        EXPECT_NE(edit->validator(), nullptr);
        edit->setText(QStringLiteral("abc"));
        EXPECT_EQ(edit->text(), QStringLiteral("abc")) << "a text set by code is not filtered";
    }
    EXPECT_EQ(edit->validator(), nullptr);
    edit->clear();
    typeKeys(edit, QStringLiteral("x.y"));
    EXPECT_EQ(edit->text(), QStringLiteral("x.y"));
}

}  // namespace
