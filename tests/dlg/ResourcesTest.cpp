#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "TestDialogs.h"
#include "mobrdlg/ZqDialogString.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqUiDriver.h"
#include "mobrdlg/ZqUiLoader.h"

namespace {

// "日本語" in code page 932.
const std::string kNihongo = "\x93\xfa\x96\x7b\x8c\xea";

class FactoryEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
};

}  // namespace

TEST(Strings, LookupEscapesBuiltinsAndOrder)
{
    EXPECT_EQ(GetString(7101), "Line one\nline two\ttab \\ end");
    std::string text = "unchanged";
    EXPECT_FALSE(ZqLoadString(123456, text));
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(GetString(123456), "");

    // The library's own table answers what no resource file has...
    EXPECT_EQ(GetString(951), "The host does not provide the function %s.");
    // ...and a resource file overrides it.
    EXPECT_EQ(GetString(950), "Overridden resource message %s");

    // Another library adds built-in strings at load time; a second table for
    // the same id replaces the first.
    const ZqBuiltinString first[] = {{979, "First text"}};
    const ZqBuiltinString second[] = {{979, "Second text"}, {978, "Japanese only", 1041}};
    ZqAddBuiltinStrings(first, 1);
    EXPECT_EQ(GetString(979), "First text");
    ZqAddBuiltinStrings(second, 2);
    EXPECT_EQ(GetString(979), "Second text");
    EXPECT_EQ(GetString(978), "") << "a 1041 string is not used for English";

    ZqSetLanguage(1041);
    EXPECT_EQ(GetString(7001), "\x82\x60\x82\x4f") << "the file's 1041 table first (full-width A0)";
    EXPECT_EQ(GetString(7100), "Value %s is out of range.") << "then its 1033 table";
    EXPECT_EQ(GetString(978), "Japanese only");
    ZqSetLanguage(1033);
    EXPECT_EQ(GetString(7001), "A0");
}

TEST(Strings, MessageTextsAndFormatting)
{
    EXPECT_EQ(ZqFormatMessage(7100, "3.5"), "Value 3.5 is out of range.");
    EXPECT_EQ(ZqFormatMessage(7105, "it"), "100% sure of it");
    EXPECT_EQ(ZqFormatMessage(7100, nullptr), "Value  is out of range.");
    EXPECT_EQ(ZqFormatMessage(424242, nullptr), "Message 424242");
    EXPECT_EQ(ZqFormatMessage(7100, kNihongo.c_str()), "Value " + kNihongo + " is out of range.");

    EXPECT_EQ(ZqMessageBoxDefaultAnswer(ZQ_MB_YESNO), 6);
    EXPECT_EQ(ZqMessageBoxDefaultAnswer(ZQ_MB_YESNO | ZQ_MB_DEFBUTTON2), 7);
    EXPECT_EQ(ZqMessageBoxDefaultAnswer(ZQ_MB_OK | ZQ_MB_DEFBUTTON3), 1) << "no third button";
    EXPECT_EQ(ZqMessageBoxAnswers(ZQ_MB_YESNOCANCEL | ZQ_MB_ICONQUESTION), (std::vector<int>{6, 7, 2}));

    CZqUiDriver driver;
    EXPECT_EQ(ZqDlgWarningBox(nullptr, 7100), 1);
    EXPECT_EQ(ZqDlgTextBox(nullptr, ZQ_MB_OKCANCEL, "ready text", 961), 1);
    ASSERT_EQ(driver.transcript().messages().size(), 2u);
    EXPECT_EQ(driver.transcript().messages()[0].flags, unsigned(ZQ_MB_ICONEXCLAMATION));
    EXPECT_EQ(driver.transcript().messages()[1].messageId, 961);
    EXPECT_EQ(driver.transcript().messages()[1].text, "ready text");
}

TEST(Resources, FilesLayoutsAndImages)
{
    EXPECT_EQ(ZqLoadResourceFile("/nonexistent/file.rcc"), 0);
    EXPECT_EQ(ZqLoadResourceFile(nullptr), 0);
    QTemporaryDir dir;
    const QString junk = dir.filePath("junk.rcc");
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a resource file");
    }
    EXPECT_EQ(ZqLoadResourceFile(junk.toLocal8Bit().constData()), 0);

    // A second registration of a file coexists with the first; freeing it
    // leaves the first one working.
    const long second = ZqLoadResourceFile(TEST_DLG_RCC);
    ASSERT_NE(second, 0);
    ZqFreeResourceFile(second);
    ZqFreeResourceFile(second);
    ZqFreeResourceFile(0);
    EXPECT_EQ(GetString(7102), "First page");
    EXPECT_FALSE(ZqLoadLayout("IDD_TEST_EDITS").isEmpty());
    EXPECT_TRUE(ZqLoadLayout("IDD_MISSING").isEmpty());

    const QPixmap image = ZqLoadImage(3001);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(4, 3));
    EXPECT_TRUE(ZqLoadImage(3002).isNull());
}

TEST(Resources, RegisteredWidgetClassesAreCreatedFromLayouts)
{
    int made = 0;
    ZqRegisterWidgetClass("TestFactoryEdit", [&made](QWidget* parent) {
        ++made;
        return new FactoryEdit(parent);  // owned by the layout's parent
    });
    CZqDialog dialog("IDD_TEST_CUSTOM");
    ZqRegisterWidgetClass("TestFactoryEdit", nullptr);
    EXPECT_EQ(made, 1);
    EXPECT_NE(dynamic_cast<FactoryEdit*>(dialog.GetDlgItem(1701)), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(1)->parentWidget(), &dialog) << "controls are built into the dialog";
}

TEST(ControlText, HostCodePageTextsAndByteLimits)
{
    TestEditsDialog dialog;
    dialog.SetDlgItemText(1402, kNihongo);
    EXPECT_EQ(dialog.item<QLineEdit>(1402)->text(), QString::fromUtf8("日本語"));
    EXPECT_EQ(dialog.GetDlgItemText(1402), kNihongo);
    // Controls exist before DoModal (OnInitDialog has not filled them yet).
    EXPECT_EQ(dialog.AddString(1601, "first"), 0);
    EXPECT_EQ(dialog.AddString(1601, kNihongo), 1);
    EXPECT_EQ(dialog.GetItemText(1601, 1), kNihongo);
    EXPECT_EQ(dialog.GetItemText(1601, 7), "");
    EXPECT_EQ(dialog.GetCount(1601), 2);
    EXPECT_EQ(dialog.GetCurSel(1601), -1);
    dialog.SetCurSel(1601, 5);
    EXPECT_EQ(dialog.GetCurSel(1601), -1);

    // The limit counts bytes: two double-byte characters fill four bytes.
    dialog.init = [](TestEditsDialog& d) {
        d.SetLimitText(1402, 4);
        return true;
    };
    CZqUiDriver driver(ZqUiScript().type(1402, "日本語").read(1402).type(1402, "abcdef").read(1402).cancel());
    EXPECT_EQ(dialog.DoModal(), 2);
    ASSERT_EQ(driver.transcript().reads().size(), 2u);
    EXPECT_EQ(driver.transcript().reads()[0].state.text, "日本");
    EXPECT_EQ(driver.transcript().reads()[1].state.text, "abcd");
}

TEST(EditDialogString, CaptionsAreCleanedForReports)
{
    EXPECT_EQ(EditDialogString("&Scale:"), "Scale");
    EXPECT_EQ(EditDialogString("  Scale (&S)...  "), "Scale");
    EXPECT_EQ(EditDialogString("Save && close:"), "Save & close");
    EXPECT_EQ(EditDialogString("Width(&W):"), "Width");
    EXPECT_EQ(EditDialogString("Options..."), "Options");
    EXPECT_EQ(EditDialogString("A (&B) C"), "A (B) C") << "a group not at the end stays, minus '&'";
    EXPECT_EQ(EditDialogString("(&X)"), "");
    EXPECT_EQ(EditDialogString("Size (mm)"), "Size (mm)");
    EXPECT_EQ(EditDialogString(""), "");
    // Double-byte captions: "線種(&L)：" -> "線種"; a 0x5C trail byte is no escape.
    EXPECT_EQ(EditDialogString("\x90\xfc\x8e\xed(&L)\x81\x46"), "\x90\xfc\x8e\xed");
    EXPECT_EQ(EditDialogString("\x95\x5c\x8e\xa6"), "\x95\x5c\x8e\xa6");
}
