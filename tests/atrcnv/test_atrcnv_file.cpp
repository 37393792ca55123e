// The definition file and the history file: splitting, reading, the bytes
// written, saving only on change, names that would not read back, history
// lists.

#include "ConversionFixture.h"
#include "atrcnv/AtrCnvRules.h"
#include "atrcnv/CAtrCnvFile.h"
#include "atrcnv/CAtrCnvTargets.h"

using namespace cnvtest;
using atrcnv::Kind;

namespace {

struct SplitCase {
    const char* text;
    std::vector<std::string> fields;
};

// A case reads as its text in listings and failures, not as its bytes.
void PrintTo(const SplitCase& c, std::ostream* out)
{
    *out << '"' << c.text << '"';
}

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, FieldsAsTheReaderSeesThem)
{
    std::vector<std::string> fields{"kept"};
    const int n = CAtrCnvFile::splitValue(GetParam().text, fields);
    fields.erase(fields.begin());
    EXPECT_EQ(fields, GetParam().fields);
    EXPECT_EQ(n, static_cast<int>(GetParam().fields.size()));
}

INSTANTIATE_TEST_SUITE_P(Values, SplitTest,
                         ::testing::Values(SplitCase{"a /#,#/ b", {"a", "b"}}, SplitCase{" /#,#/ b", {"", "b"}},
                                           SplitCase{"a /#,#/ ", {"a"}}, SplitCase{"a /#,#/ b /#,#/ ", {"a", "b"}},
                                           SplitCase{"a/#,#/b", {"a/#,#/b"}}, SplitCase{"", {}},
                                           SplitCase{"a /#,#/  /#,#/ b", {"a", "", "b"}}));

class DefinitionFileTest : public HostFixture {
protected:
    std::string def_ = tempPath("definition.fac");
};

TEST_F(DefinitionFileTest, ReadingStopsAtTheFirstInvalidEntryOfEachKind)
{
    writeBytes(def_,
               "[System]\r\nZqAtrCnv=zqv10_01\r\nRefFile=#none\r\n"
               "[PenCnvAtr]\r\nPen001=A /#,#/ W /#,#/ C /#,#/ B /#,#/ W2 /#,#/ #_NO_PEN_COLOR_#\r\n"
               "Pen003=X /#,#/ W /#,#/ C /#,#/ Y /#,#/ W /#,#/ C\r\n"
               "[WidCnvAtr]\r\nWid001=\"a /#,#/ b /#,#/ \"\r\nWid002=c /#,#/ \r\nWid003=d /#,#/ e\r\n"
               "[ColCnvAtr]\r\nCol001=R /#,#/ S\r\nCol002=N /#,#/ X /#,#/ M\r\nCol003=T /#,#/ U\r\n");
    CAtrCnvFile file(def_);
    EXPECT_EQ(file.checkVersion(), 1);
    EXPECT_EQ(file.readReferenceFile(), "");

    std::vector<atrcnv::PenEntry> pens;
    ASSERT_EQ(file.readPenEntries(pens), 1);
    EXPECT_EQ(pens[0].targetWidth, "W2");
    EXPECT_EQ(CAtrCnvFile::isPenColourGiven(pens[0].targetColour), 0);
    EXPECT_EQ(CAtrCnvFile::isPenColourGiven("#_no_pen_color_#"), 0);

    std::vector<atrcnv::NameEntry> widths, colours;
    ASSERT_EQ(file.readWidthEntries(widths), 1);
    EXPECT_EQ(widths[0].target, "b");
    // A name holding the separator gives three fields: the kind ends there.
    EXPECT_EQ(file.readColourEntries(colours), 1);
}

TEST_F(DefinitionFileTest, VersionIsRefusedForAMissingFileOrAnotherTag)
{
    EXPECT_EQ(CAtrCnvFile(tempPath("absent.fac")).checkVersion(), 0);
    writeBytes(def_, "[System]\r\nZqAtrCnv=ZQV10_02\r\n");
    EXPECT_EQ(CAtrCnvFile(def_).checkVersion(), 0);
}

TEST_F(DefinitionFileTest, HostileFilesReadWhatIsValidAndNothingElse)
{
    std::string big = "[System]\r\nZqAtrCnv=ZQV10_01\r\n[ColCnvAtr]\r\n";
    big += "Col002=late /#,#/ key\r\nCol001=" + std::string(100000, 'x') + " /#,#/ y\r\n";
    for (int k = 0; k < 10000; ++k) big += "Key" + std::to_string(k) + "=\x81 /#,#/ \xFF\x00\r\n";
    big += std::string("\0\x01\x02\xFE", 4);
    writeBytes(def_, big);
    std::vector<atrcnv::NameEntry> colours;
    // The 100 KB value is cut to 259 bytes: one field, invalid, and the kind
    // ends before the key that came first in the file.
    EXPECT_EQ(CAtrCnvFile(def_).readColourEntries(colours), 0);
    std::vector<std::string> refs, defs;
    CAtrCnvFile(def_).readHistory(refs, defs);
    EXPECT_TRUE(refs.empty() && defs.empty());
}

TEST_F(DefinitionFileTest, HistoryKeepsTwentyMostRecentFirstWithoutDuplicates)
{
    std::vector<std::string> list;
    for (int k = 1; k <= 20; ++k) CAtrCnvFile::addToHistory(list, "/d/f" + std::to_string(k) + ".fig");
    CAtrCnvFile::addToHistory(list, "/D/F3.FIG");
    EXPECT_EQ(list.size(), 20u);
    EXPECT_EQ(list.front(), "/d/f3.fig");
    CAtrCnvFile::addToHistory(list, "/d/new.fig");
    EXPECT_EQ(list.size(), 20u);
    EXPECT_EQ(list.front(), "/d/new.fig");
    EXPECT_EQ(std::count(list.begin(), list.end(), "/d/f1.fig"), 0);  // the oldest went
    CAtrCnvFile::addToHistory(list, "(Automatic) /x.fac");
    CAtrCnvFile::addToHistory(list, "");
    EXPECT_EQ(list.front(), "/d/new.fig");

    list.push_back("/d/21st.fig");
    CAtrCnvFile history(tempPath("MOBRFAC.INI"));
    history.writeHistory(list, {"/defs/a.fac"});
    std::vector<std::string> refs{"stale"}, defs;
    history.readHistory(refs, defs);
    EXPECT_EQ(refs, std::vector<std::string>(list.begin(), list.begin() + 20));
    EXPECT_EQ(defs, std::vector<std::string>{"/defs/a.fac"});
}

TEST_F(DefinitionFileTest, LocationsComeFromTheHost)
{
    EXPECT_EQ(CAtrCnvFile::historyFilePath(), systemFolder() + "MOBRFAC.INI");
    EXPECT_EQ(CAtrCnvFile::automaticFilePath(), systemFolder() + "work/MOBRFAC.FAC");
    mobrhost::ScopedHostOverride noWork("aatDrvGetDirectory", +[](void*, int32_t, char*) -> int32_t { return 0; });
    EXPECT_EQ(CAtrCnvFile::automaticFilePath().rfind("/MOBRFAC.FAC"), CAtrCnvFile::automaticFilePath().size() - 12);
}

// Saving against a loaded reference: the bytes written, and nothing written
// when nothing changed.
class DefinitionWriteTest : public ConversionFixture {
protected:
    void editReference(const Tables& t) override
    {
        addColour(t, " LEAD", 1, 2, 3);
        addColour(t, "TRAIL ", 4, 5, 6);
        addColour(t, "A /#,#/ B", 9, 9, 9);
    }
    atrcnv::ColourRecord refColour(const char* name)
    {
        void* colours = targets_.table(CAtrCnvTargets::Figure::Reference, CAtrCnvTargets::Table::Colour);
        return atrcnv::ColourRecord::from(hostapi::aatColGetInfo(colours, hostapi::aatColFindName(colours, name)));
    }
    atrcnv::PenTargetItem refPen(const char* name)
    {
        using F = CAtrCnvTargets::Figure;
        using T = CAtrCnvTargets::Table;
        void* pens = targets_.table(F::Reference, T::Pen);
        atrcnv::PenTargetItem item;
        atrcnv::fetchPenTriple(pens, targets_.table(F::Reference, T::PenColour), targets_.table(F::Reference, T::Width),
                               targets_.table(F::Reference, T::Colour), hostapi::aatPenFindName(pens, name), item);
        return item;
    }
};

}  // namespace

TEST_F(DefinitionWriteTest, NothingChangedWritesNothingAndKeepsAnExistingFile)
{
    load();
    EXPECT_EQ(targets_.saveConversion(def_), 0);
    EXPECT_EQ(readBytes(def_), "<missing>");
    writeBytes(def_, "[System]\r\nRefFile=/old.fig\r\n");
    EXPECT_EQ(targets_.saveConversion(def_), 0);
    EXPECT_EQ(readBytes(def_), "[System]\r\nRefFile=/old.fig\r\n");
}

TEST_F(DefinitionWriteTest, ChangedKindsAreWrittenByteForByte)
{
    load();
    targets_.setColourTarget(0, refColour("ORANGE"));   // BLACK -> ORANGE
    atrcnv::PenTargetItem dashed = refPen("DASHED");
    dashed.colour = atrcnv::ColourRecord{};             // a target pen without colour
    targets_.setPenTarget(0, dashed);                   // SOLID -> DASHED, no colour
    ASSERT_EQ(targets_.saveConversion(def_), 1);
    EXPECT_EQ(readBytes(def_), "[System]\r\nZqAtrCnv=ZQV10_01\r\nRefFile=" + ref_ +
                                   "\r\n[ColCnvAtr]\r\nCol001=BLACK /#,#/ ORANGE\r\n"
                                   "[PenCnvAtr]\r\nPen001=SOLID /#,#/ MEDIUM /#,#/ BLACK /#,#/ DASHED /#,#/ MEDIUM "
                                   "/#,#/ #_NO_PEN_COLOR_#\r\n");
}

TEST_F(DefinitionWriteTest, ANameThatWouldNotReadBackIsLeftOutAndReported)
{
    load();
    targets_.setColourTarget(0, refColour("TRAIL "));     // the reader strips the value's trailing blank
    targets_.setColourTarget(1, refColour("A /#,#/ B"));  // holds the separator
    targets_.setColourTarget(2, refColour("ORANGE"));
    targets_.setColourTarget(3, refColour(" LEAD"));      // inside the value: reads back
    std::vector<atrcnv::UnwritableName> left;
    ASSERT_EQ(targets_.saveConversion(def_, &left), 1);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].name, "TRAIL ");
    EXPECT_EQ(left[1].name, "A /#,#/ B");
    std::vector<atrcnv::NameEntry> colours;
    ASSERT_EQ(CAtrCnvFile(def_).readColourEntries(colours), 2);
    EXPECT_EQ(colours[0].source, "GREEN");
    EXPECT_EQ(colours[0].target, "ORANGE");
    EXPECT_EQ(colours[1].source, "BLUE");
    EXPECT_EQ(colours[1].target, " LEAD");
}
