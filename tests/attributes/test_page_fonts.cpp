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
                           .click(1501)
                           .type(1401, "TITLE")
                           .select(1201, "Slanted").read(1101).read(1102)
                           .select(1201, "Heavy").read(1101).read(1102)
                           .select(1201, "DejaVu Serif").check(1101, false).check(1102, false).read(1101).read(1102)
                           .select(1201, "Script").read(1101).read(1102)
                           .select(1201, "DejaVu Serif").check(1101, true)
                           .screenshot(::testing::TempDir() + "sysattr-font-edit.png")
                           .select(1201, "Script")
                           .ok()
                           .ok());
    EXPECT_TRUE(readAt(0).enabled);
    EXPECT_TRUE(readAt(1).checked);
    EXPECT_FALSE(readAt(1).enabled) << "a face offering only an italic";
    EXPECT_TRUE(readAt(2).checked);
    EXPECT_FALSE(readAt(2).enabled);
    EXPECT_TRUE(readAt(3).enabled) << "only a bold: italic is free";
    EXPECT_TRUE(readAt(4).enabled);
    EXPECT_TRUE(readAt(5).enabled);
    EXPECT_FALSE(readAt(4).checked);
    EXPECT_FALSE(readAt(5).checked);
    for (size_t i : {6u, 7u}) {
        EXPECT_TRUE(readAt(i).checked);
        EXPECT_FALSE(readAt(i).enabled);
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
    runSheet({&page_}, ZqUiScript().dblclk(1601, 2).read(1101).read(1201).ok().ok());
    EXPECT_TRUE(readAt(0).checked);
    EXPECT_EQ(readAt(1).selection, 2) << "the font's own face";
    EXPECT_EQ(attrib(kHeading) & (kEdited | kBold | kItalic), kEdited | kBold);
    EXPECT_EQ(face(kHeading), "DejaVu Serif");
    EXPECT_TRUE(callsAmong({"AddPenNameStringList", "AddWidthNameStringList", "AddColorNameStringList"}).empty());

    // Unticking bold clears the bit; renaming is not recorded anywhere.
    runSheet({&page_}, ZqUiScript().select(1601, 2).click(1502).type(1401, "TITLE").check(1101, false).ok().read(1601).ok());
    EXPECT_EQ(attrib(kHeading) & (kEdited | kBold | kItalic), kEdited);
    EXPECT_EQ(readAt(0).items.at(2), "TITLE");
    EXPECT_EQ(readAt(0).selection, 2);
}

TEST_F(FontPage, EditedFontsAreListedInTheirOwnFont)
{
    ASSERT_EQ(hostapi::aatFntSetAttrib(fonts_, kStandard, 0), 0);
    ASSERT_EQ(hostapi::aatFntSetAttrib(fonts_, kHeading, kEdited | kBold | kItalic), 0);
    runSheet({&page_}, ZqUiScript()
                           .inspect([&](CZqWindow&) {
                               auto* list = page_.item<QListWidget>(1601);
                               ASSERT_TRUE(list);
                               EXPECT_FALSE(list->item(0)->data(Qt::FontRole).isValid()) << "never edited";
                               const QFont font = list->item(2)->font();
                               EXPECT_EQ(font.pixelSize(), CPageSysAttribute4::kRowHeight - 8);
                               EXPECT_EQ(font.families().value(0), "DejaVu Serif");
                               EXPECT_TRUE(font.bold());
                               EXPECT_TRUE(font.italic());
                           })
                           .select(1601, 1)
                           .screenshot(::testing::TempDir() + "sysattr-fonts.png")
                           .ok());
    EXPECT_EQ(transcript().screenshots().size(), 1u);
}

TEST_F(FontPage, DeletingEveryFontEndsOnTheEmptyRow)
{
    runSheet({&page_}, ZqUiScript()
                           .select(1601, 2).key(1601, "Delete").read(1601)
                           .select(1601, 0).click(1503).read(1601)
                           .key(1601, "Delete").read(1601).read(1502).read(1503).read(1501)
                           .ok());
    EXPECT_EQ(readAt(0).items, (Strings{"STANDARD", "MONO", ""}));
    EXPECT_EQ(readAt(0).selection, 1) << "the row before the empty row";
    EXPECT_EQ(readAt(1).items, (Strings{"MONO", ""}));
    EXPECT_EQ(readAt(1).selection, 0);
    EXPECT_EQ(readAt(2).items, (Strings{""}));
    EXPECT_EQ(readAt(2).selection, 0) << "only the empty row is left";
    EXPECT_FALSE(readAt(3).enabled);
    EXPECT_FALSE(readAt(4).enabled);
    EXPECT_TRUE(readAt(5).enabled);
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

    runSheet({&page_}, ZqUiScript().select(1601, 1).read(1502).read(1503).key(1601, "Delete").read(1601).ok());
    EXPECT_TRUE(readAt(0).enabled);
    EXPECT_FALSE(readAt(1).enabled);
    EXPECT_EQ(readAt(2).items, (Strings{"STANDARD", "MONO", "HEADING", ""}));
    EXPECT_TRUE(callsAmong({"aatFntDeleteInfo"}).empty());
}

TEST_F(FontPage, EditorChecksInOrder)
{
    runSheet({&page_}, ZqUiScript()
                           .click(1501)
                           .read(1201)
                           .ok()
                           .type(1401, "ABCDEFGHIJKLMNOPQ").ok()
                           .type(1401, "A\"B").ok()
                           .type(1401, "mono").ok()
                           .type(1401, "BODY").ok().read(1201)
                           .select(1201, 0).ok()
                           .read(1601)
                           .ok());
    EXPECT_EQ(messageIds(), (std::vector<int>{7259, 7260, 7261, 7262, 7263}));
    EXPECT_EQ(transcript().messages().at(2).argument, "\"");
    EXPECT_EQ(readAt(0).selection, -1) << "no face chosen in new mode";
    EXPECT_TRUE(readAt(1).focused);
    EXPECT_EQ(readAt(2).items.at(3), "BODY");
    EXPECT_EQ(face(4), "DejaVu Sans");
    EXPECT_EQ(attrib(4) & (kEdited | kBold | kItalic), kEdited);
}

TEST_F(FontPage, FailedAddShowsItsMessageAndHelpHasItsTopic)
{
    mobrhost::ScopedHostOverride noFont("aatFntNewInfo", +[](void*, const char*) -> int32_t { return -1; });
    runSheet({&page_}, ZqUiScript()
                           .select(1601, 1)
                           .click(1501).type(1401, "BODY").select(1201, 0).ok()
                           .read(1601)
                           .click(1000)
                           .ok());
    EXPECT_EQ(messageIds(), std::vector<int>{7269});
    EXPECT_EQ(readAt(0).items.size(), 4u);
    EXPECT_EQ(readAt(0).selection, 1);
    EXPECT_TRUE(callsAmong({"aatFntSetFaceName", "aatFntSetAttrib"}).empty());
    EXPECT_EQ(argsOf("aapRunDlgHelp"), (std::vector<Strings>{{"463"}}));
}

}  // namespace
