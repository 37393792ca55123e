// The font page of the system attribute sheet and its editor, on the font
// copy of the reference host's default figure, with faces of known styles.

#include <algorithm>
#include <iterator>

#include <QFont>
#include <QListWidget>
#include <string>
#include <vector>

#include "FigureTestSupport.h"
#include "AttributeTestHarness.h"
#include "attributes/CPageSysAttribute4.h"
#include "attributes/FontEditDlg.h"

namespace el = mobrhost::element;

namespace {

// Default figure: fonts STANDARD (DejaVu Sans), MONO (DejaVu Sans Mono),
// HEADING (DejaVu Serif, bold).
constexpr int kStandard = 1, kHeading = 3;
constexpr int kEdited = 0x1, kItalic = 0x10, kBold = 0x20, kInUse = 0x10000;
using Strings = std::vector<std::string>;
constexpr int kAdd = CAttributeListPage::kAdd, kModify = CAttributeListPage::kModify,
              kDelete = CAttributeListPage::kDelete, kList = CAttributeListPage::kList;
constexpr int kName = CAttributeEditDlg::kNameEdit, kFaces = CFontEditDlg::kFaceList,
              kBoldBox = CFontEditDlg::kBoldBox, kItalicBox = CFontEditDlg::kItalicBox;
constexpr int kHelpButton = 1000;

class FontPage : public AttributeTestHarness {
protected:
    FontPage() : AttributeTestHarness(kPenCopy | kWidthCopy | kColourCopy | kPenColourCopy | kFontCopy) {}

    void SetUp() override
    {
        AttributeTestHarness::SetUp();
        // Faces 0 to 5 in the editor's list.
        previous_ = CFontEditDlg::setFaceSource(
            {[] {
                 return QStringList{"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "Script", "Slanted", "Heavy"};
             },
             [](const QString& family) {
                 if (family == "Script") return QStringList{"Bold Italic"};
                 if (family == "Slanted") return QStringList{"Italic"};
                 if (family == "Heavy") return QStringList{"Bold"};
                 return QStringList{"Book", "Bold", "Oblique", "Bold Oblique"};
             }});
        page_.SetPageData(30001, reinterpret_cast<std::intptr_t>(fonts_));
    }
    void TearDown() override
    {
        CFontEditDlg::setFaceSource(previous_);
        AttributeTestHarness::TearDown();
    }
    int attrib(int font) const { return hostapi::aatFntGetAttrib(fonts_, font); }
    std::string face(int font) const
    {
        char text[mobr::kHostFaceNameBytes] = {};
        hostapi::aatFntGetFaceName(fonts_, font, text);
        return text;
    }

    CPageSysAttribute4 page_;
    CFontEditDlg::FaceSource previous_;
};

TEST_F(FontPage, FaceStylesDecideTheStyleBoxes)
{
    runSheet({&page_}, ZqUiScript()
                           .click(kAdd)
                           .type(kName, "TITLE")
                           .select(kFaces, "Slanted").read(kBoldBox, "Slanted bold").read(kItalicBox, "Slanted italic")
                           .select(kFaces, "Heavy").read(kBoldBox, "Heavy bold").read(kItalicBox, "Heavy italic")
                           .select(kFaces, "DejaVu Serif").check(kBoldBox, false).check(kItalicBox, false)
                           .read(kBoldBox, "Serif bold").read(kItalicBox, "Serif italic")
                           .select(kFaces, "Script").read(kBoldBox, "Script bold").read(kItalicBox, "Script italic")
                           .select(kFaces, "DejaVu Serif").check(kBoldBox, true)
                           .screenshot(::testing::TempDir() + "sysattr-font-edit.png")
                           .select(kFaces, "Script")
                           .ok()
                           .ok());
    EXPECT_TRUE(readOf("Slanted bold").enabled);
    EXPECT_TRUE(readOf("Slanted italic").checked);
    EXPECT_FALSE(readOf("Slanted italic").enabled) << "a face offering only an italic";
    EXPECT_TRUE(readOf("Heavy bold").checked);
    EXPECT_FALSE(readOf("Heavy bold").enabled);
    EXPECT_TRUE(readOf("Heavy italic").enabled) << "only a bold: italic is free";
    EXPECT_TRUE(readOf("Serif bold").enabled);
    EXPECT_TRUE(readOf("Serif italic").enabled);
    EXPECT_FALSE(readOf("Serif bold").checked);
    EXPECT_FALSE(readOf("Serif italic").checked);
    for (const char* label : {"Script bold", "Script italic"}) {
        EXPECT_TRUE(readOf(label).checked) << label;
        EXPECT_FALSE(readOf(label).enabled) << label;
    }
    const int title = hostapi::aatFntFindName(fonts_, "TITLE");
    ASSERT_EQ(title, 4);
    EXPECT_EQ(face(title), "Script");
    EXPECT_EQ(attrib(title) & (kEdited | kBold | kItalic), kEdited | kBold | kItalic);
    // The new font is written in this order; the list reads it afterwards.
    Strings calls = callsAmong({"aatFntNewInfo", "aatFntSetFaceName", "aatFntGetAttrib", "aatFntSetAttrib"});
    const auto added = std::find(calls.begin(), calls.end(), "aatFntNewInfo");
    ASSERT_GE(std::distance(added, calls.end()), 4);
    EXPECT_EQ(Strings(added, added + 4),
              (Strings{"aatFntNewInfo", "aatFntSetFaceName", "aatFntGetAttrib", "aatFntSetAttrib"}));
}

TEST_F(FontPage, EditingMarksTheFontAndKeepsItsStyle)
{
    ASSERT_EQ(hostapi::aatFntSetAttrib(fonts_, kHeading, kBold), 0);
    runSheet({&page_}, ZqUiScript().dblclk(kList, 2).read(kBoldBox, "bold").read(kFaces, "faces").ok().ok());
    EXPECT_TRUE(readOf("bold").checked);
    EXPECT_EQ(readOf("faces").selection, 2) << "the font's own face";
    EXPECT_EQ(attrib(kHeading) & (kEdited | kBold | kItalic), kEdited | kBold);
    EXPECT_EQ(face(kHeading), "DejaVu Serif");
    EXPECT_TRUE(callsAmong({"AddPenNameStringList", "AddWidthNameStringList", "AddColorNameStringList"}).empty());

    // Unticking bold clears the bit; renaming is not recorded anywhere.
    runSheet({&page_}, ZqUiScript()
                           .select(kList, 2).click(kModify).type(kName, "TITLE").check(kBoldBox, false).ok()
                           .read(kList, "list")
                           .ok());
    EXPECT_EQ(attrib(kHeading) & (kEdited | kBold | kItalic), kEdited);
    EXPECT_EQ(readOf("list").items.at(2), "TITLE");
    EXPECT_EQ(readOf("list").selection, 2);
}

TEST_F(FontPage, EditedFontsAreListedInTheirOwnFont)
{
    ASSERT_EQ(hostapi::aatFntSetAttrib(fonts_, kStandard, 0), 0);
    ASSERT_EQ(hostapi::aatFntSetAttrib(fonts_, kHeading, kEdited | kBold | kItalic), 0);
    runSheet({&page_}, ZqUiScript()
                           .inspect([&](CZqWindow&) {
                               auto* list = page_.item<QListWidget>(kList);
                               ASSERT_TRUE(list);
                               EXPECT_FALSE(list->item(0)->data(Qt::FontRole).isValid()) << "never edited";
                               const QFont font = list->item(2)->font();
                               EXPECT_EQ(font.pixelSize(), CPageSysAttribute4::kRowHeight - 8);
                               EXPECT_EQ(font.families().value(0), "DejaVu Serif");
                               EXPECT_TRUE(font.bold());
                               EXPECT_TRUE(font.italic());
                           })
                           .select(kList, 1)
                           .screenshot(::testing::TempDir() + "sysattr-fonts.png")
                           .ok());
    EXPECT_EQ(transcript().screenshots().size(), 1u);
}

TEST_F(FontPage, DeletingEveryFontEndsOnTheEmptyRow)
{
    runSheet({&page_}, ZqUiScript()
                           .select(kList, 2).key(kList, "Delete").read(kList, "without HEADING")
                           .select(kList, 0).click(kDelete).read(kList, "without STANDARD")
                           .key(kList, "Delete").read(kList, "empty")
                           .read(kModify, "modify").read(kDelete, "delete").read(kAdd, "add")
                           .ok());
    EXPECT_EQ(readOf("without HEADING").items, (Strings{"STANDARD", "MONO", ""}));
    EXPECT_EQ(readOf("without HEADING").selection, 1) << "the row before the empty row";
    EXPECT_EQ(readOf("without STANDARD").items, (Strings{"MONO", ""}));
    EXPECT_EQ(readOf("without STANDARD").selection, 0);
    EXPECT_EQ(readOf("empty").items, (Strings{""}));
    EXPECT_EQ(readOf("empty").selection, 0) << "only the empty row is left";
    EXPECT_FALSE(readOf("modify").enabled);
    EXPECT_FALSE(readOf("delete").enabled);
    EXPECT_TRUE(readOf("add").enabled);
    EXPECT_EQ(hostapi::aatFntGetCount(fonts_), 0);
}

TEST_F(FontPage, FontInUseStays)
{
    // A text in font 2 puts it in use (seen by a font copy taken afterwards).
    mobrhost::ElementDatabase::Record text{};
    mobrhost::bytes::setU16(text.data(), el::kKind, el::Text);
    mobrhost::bytes::setI32(text.data(), el::kOwner, -1);
    text[el::kPen] = 1;
    mobrhost::bytes::setU16(text.data(), el::kFont, 2);
    figtest::model().figure(0)->elements.append(0, text);
    ASSERT_EQ(hostapi::aatFigRestoreFntInfo(0, fonts_, 1), 1);
    fonts_ = hostapi::aatFigEditFntInfo(0);
    page_.SetPageData(30001, reinterpret_cast<std::intptr_t>(fonts_));
    ASSERT_TRUE(attrib(2) & kInUse);

    runSheet({&page_}, ZqUiScript()
                           .select(kList, 1).read(kModify, "modify").read(kDelete, "delete")
                           .key(kList, "Delete").read(kList, "list")
                           .ok());
    EXPECT_TRUE(readOf("modify").enabled);
    EXPECT_FALSE(readOf("delete").enabled);
    EXPECT_EQ(readOf("list").items, (Strings{"STANDARD", "MONO", "HEADING", ""}));
    EXPECT_TRUE(callsAmong({"aatFntDeleteInfo"}).empty());
}

TEST_F(FontPage, EditorChecksInOrder)
{
    runSheet({&page_}, ZqUiScript()
                           .click(kAdd)
                           .read(kFaces, "faces when new")
                           .ok()
                           .type(kName, "ABCDEFGHIJKLMNOPQ").ok()
                           .type(kName, "A\"B").ok()
                           .type(kName, "mono").ok()
                           .type(kName, "BODY").ok().read(kFaces, "faces refused")
                           .select(kFaces, 0).ok()
                           .read(kList, "list")
                           .ok());
    EXPECT_EQ(messageIds(), (std::vector<int>{7259, 7260, 7261, 7262, 7263}));
    EXPECT_EQ(transcript().messages().at(2).argument, "\"");
    EXPECT_EQ(readOf("faces when new").selection, -1) << "no face chosen in new mode";
    EXPECT_TRUE(readOf("faces refused").focused);
    EXPECT_EQ(readOf("list").items.at(3), "BODY");
    EXPECT_EQ(face(4), "DejaVu Sans");
    EXPECT_EQ(attrib(4) & (kEdited | kBold | kItalic), kEdited);
}

TEST_F(FontPage, FailedAddShowsItsMessageAndHelpHasItsTopic)
{
    mobrhost::ScopedHostOverride noFont("aatFntNewInfo", +[](void*, const char*) -> int32_t { return -1; });
    runSheet({&page_}, ZqUiScript()
                           .select(kList, 1)
                           .click(kAdd).type(kName, "BODY").select(kFaces, 0).ok()
                           .read(kList, "list")
                           .click(kHelpButton)
                           .ok());
    EXPECT_EQ(messageIds(), std::vector<int>{7269});
    EXPECT_EQ(readOf("list").items.size(), 4u);
    EXPECT_EQ(readOf("list").selection, 1);
    EXPECT_TRUE(callsAmong({"aatFntSetFaceName", "aatFntSetAttrib"}).empty());
    EXPECT_EQ(argsOf("aapRunDlgHelp"), (std::vector<Strings>{{"463"}}));
}

}  // namespace
