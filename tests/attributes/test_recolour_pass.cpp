// The recolour pass against the reference host: which elements take their
// pen's colour, which keep theirs, what is written, and how the pass starts,
// ends and stops.

#include <QCursor>
#include <QGuiApplication>

#include "FigureTestSupport.h"
#include "HostFixture.h"
#include "attributes/RecolourPass.h"

using namespace figtest;
namespace el = mobrhost::element;

namespace {

// Default figure: SOLID is BLACK (1), DASHED RED (2), DOTTED BLUE (4),
// CHAIN GREEN (3), ASSIST CYAN (6); eight colours.
constexpr int kSolid = 1, kDashed = 2, kDotted = 3, kChain = 4, kAssist = 5;
constexpr int kBlack = 1, kRed = 2, kGreen = 3, kBlue = 4, kYellow = 5, kCyan = 6;

class RecolourPassTest : public HostFixture {
protected:
    unsigned char* slot(int32_t id) { return model().figure(0)->elements.slot(id); }
    int colourOf(int32_t id) { return slot(id)[el::kColour]; }
    int32_t groupOf(uint32_t flags, int32_t owner = -1)
    {
        const int32_t g = addElement(0, el::Group, kSolid, 0, owner);
        mobrhost::bytes::setU32(slot(g), el::kGroupFlags, flags);
        return g;
    }
    static std::size_t calls(const char* name) { return mobrhost::journalEntries(name).size(); }
    bool run()
    {
        mobrhost::journalClear();
        return pass_.run();
    }
    CRecolourPass pass_{0};
};

// Reads that fail with 601 for one id and read the model otherwise.
int32_t failingId = 0;
int32_t readFailingOne(short fig, int32_t id, void* record)
{
    if (id == failingId) return 601;
    return model().figure(fig)->elements.read(id, record);
}

}  // namespace

TEST_F(RecolourPassTest, ElementsTakeTheirPensColourInBothSpaces)
{
    const int32_t line = addElement(0, el::Line, kDashed, kBlack);
    const int32_t arc = addElement(0, el::Arc, kDotted, 0);
    const int32_t circle = addElement(0, el::Circle, kChain, kYellow);
    const int32_t right = addElement(0, el::Line, kSolid, kBlack);
    const int32_t text = addElement(0, el::Text, kAssist, kBlack, -1, 1);

    EXPECT_TRUE(run());
    EXPECT_EQ(colourOf(line), kRed);
    EXPECT_EQ(colourOf(arc), kBlue);
    EXPECT_EQ(colourOf(circle), kGreen);
    EXPECT_EQ(colourOf(right), kBlack);
    EXPECT_EQ(colourOf(text), kCyan);
    EXPECT_EQ(slot(line)[el::kPen], kDashed);
    EXPECT_EQ(pass_.written(), 4);

    // Only changed records are written, each into its own space.
    const auto updates = mobrhost::journalEntries("aatDbUpdate2");
    ASSERT_EQ(updates.size(), 4u);
    EXPECT_EQ(updates[0].args[1], "0");
    EXPECT_EQ(updates[0].args[2], "*" + std::to_string(line));
    EXPECT_EQ(updates[0].args[4], "1");
    EXPECT_EQ(updates[3].args[1], "1");
    EXPECT_EQ(updates[3].args[2], "*" + std::to_string(text));

    // A second pass finds nothing to change.
    EXPECT_TRUE(run());
    EXPECT_EQ(calls("aatDbUpdate2"), 0u);
    EXPECT_EQ(pass_.written(), 0);
}

TEST_F(RecolourPassTest, PenWithoutColourKeepsTheColourByte)
{
    void* pens = hostapi::aatFigGetPenInfo(0);
    void* copy = hostapi::aatFigEditPenExInfo(0);
    ASSERT_EQ(hostapi::aatPenExSetColor(copy, pens, kDashed, 0), 0);
    ASSERT_EQ(hostapi::aatFigRestorePenExInfo(0, copy, 0), 1);
    const int32_t line = addElement(0, el::Line, kDashed, kYellow);
    const int32_t plain = addElement(0, el::Line, kDashed, 0);
    const int32_t hatch = addElement(0, el::Hatch, kDashed, kYellow);

    EXPECT_TRUE(run());
    EXPECT_EQ(colourOf(line), kYellow);
    EXPECT_EQ(colourOf(plain), 0);
    EXPECT_EQ(mobrhost::bytes::u32(slot(hatch), el::kHatchAttrib), static_cast<uint32_t>(kDashed | (kYellow << 16)));
    EXPECT_EQ(calls("aatDbUpdate2"), 1u) << "a colour that differs writes the record back, unchanged for no colour";
    EXPECT_EQ(calls("aatHatInfoAtrbSet"), 0u);
}

TEST_F(RecolourPassTest, OwnersAreReadForEveryKindButHatches)
{
    // A point is never recoloured, but its owners are read before its kind counts.
    const int32_t group = groupOf(0);
    addElement(0, el::Point, kDashed, kBlack, group);
    EXPECT_TRUE(run());
    size_t groupReads = 0;
    for (const auto& entry : mobrhost::journalEntries("aatDbRead"))
        if (entry.args.at(1) == std::to_string(group)) ++groupReads;
    EXPECT_EQ(groupReads, 2u) << "once in its own turn, once as the point's owner";
}

TEST_F(RecolourPassTest, KeptColoursAndOtherKindsAreUntouched)
{
    const int32_t flagged = addElement(0, el::Line, kDashed, kBlack);
    mobrhost::bytes::setU16(slot(flagged), el::kFlags, 0x4000);
    const int32_t keeping = groupOf(0x08);
    const int32_t inner = groupOf(0, keeping);          // owned by the keeping group
    const int32_t deep = addElement(0, el::Circle, kDashed, kBlack, inner);
    const int32_t direct = addElement(0, el::Text, kDashed, kBlack, keeping);
    const int32_t outsideBits = addElement(0, el::Line, kDashed, kBlack, groupOf(0x41));
    const int32_t hatchOwner = addElement(0, el::Hatch, kSolid, kBlack);
    mobrhost::bytes::setU32(slot(hatchOwner), el::kGroupFlags, 0x3E);   // not a group: no effect
    const int32_t boundary = addElement(0, el::Line, kDashed, kBlack, hatchOwner);
    const int32_t point = addElement(0, el::Point, kDashed, kBlack);
    const int32_t dimension = addElement(0, el::Dimension, kDashed, kBlack);

    EXPECT_TRUE(run());
    EXPECT_EQ(colourOf(flagged), kBlack);
    EXPECT_EQ(colourOf(deep), kBlack) << "kept through a chain of owners";
    EXPECT_EQ(colourOf(direct), kBlack);
    EXPECT_EQ(colourOf(outsideBits), kRed) << "group flags outside 0x3E do not keep";
    EXPECT_EQ(colourOf(boundary), kRed);
    EXPECT_EQ(colourOf(point), kBlack);
    EXPECT_EQ(colourOf(dimension), kBlack);
    EXPECT_EQ(pass_.written(), 2);
}

TEST_F(RecolourPassTest, OwnerLinksInACircleEndTheWalk)
{
    const int32_t a = groupOf(0);
    const int32_t b = groupOf(0, a);
    mobrhost::bytes::setI32(slot(a), el::kOwner, b);
    const int32_t line = addElement(0, el::Line, kDashed, kBlack, a);
    const int32_t self = addElement(0, el::Arc, kDotted, kBlack);
    mobrhost::bytes::setI32(slot(self), el::kOwner, self);

    EXPECT_TRUE(run());
    EXPECT_EQ(colourOf(line), kRed);
    EXPECT_EQ(colourOf(self), kBlue);
}

TEST_F(RecolourPassTest, HatchParentsTakeTheColourInTheirAttributeWord)
{
    const int32_t hatch = addElement(0, el::Hatch, kDotted, kBlack);
    const int32_t right = addElement(0, el::Hatch, kChain, kGreen);
    const int32_t kept = addElement(0, el::Hatch, kDotted, kBlack);
    mobrhost::bytes::setU16(slot(kept), el::kFlags, 0x4000);

    EXPECT_TRUE(run());
    EXPECT_EQ(mobrhost::bytes::u32(slot(hatch), el::kHatchAttrib), static_cast<uint32_t>(kDotted | (kBlue << 16)));
    EXPECT_EQ(colourOf(hatch), kBlue);
    EXPECT_EQ(colourOf(kept), kBlack);
    EXPECT_EQ(calls("aatDbUpdate2"), 0u);
    const auto sets = mobrhost::journalEntries("aatHatInfoAtrbSet");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].args[1], std::to_string(hatch));
    EXPECT_EQ(sets[0].args[2], "1");
    EXPECT_EQ(colourOf(right), kGreen);
}

TEST_F(RecolourPassTest, HatchLeadingWordsAreSetAgainBeforeTheWrite)
{
    static int32_t seen[3];
    const mobrhost::ScopedHostOverride get(
        "aatHatInfoAtrbGet", +[](short, int32_t, int32_t, int32_t* first, int32_t* second, int32_t* attrib) -> int32_t {
            *first = 7;   // a host may use the leading words
            *second = 8;
            *attrib = kDotted | (kBlack << 16);
            return 0;
        });
    const mobrhost::ScopedHostOverride set(
        "aatHatInfoAtrbSet", +[](short, int32_t, int32_t, int32_t* first, int32_t* second, int32_t* attrib) -> int32_t {
            seen[0] = *first;
            seen[1] = *second;
            seen[2] = *attrib;
            return 0;
        });
    addElement(0, el::Hatch, kDotted, kBlack);

    EXPECT_TRUE(run());
    EXPECT_EQ(seen[0], -1);
    EXPECT_EQ(seen[1], 1);
    EXPECT_EQ(seen[2], kDotted | (kBlue << 16)) << "the pen half is kept, the colour half replaced";
}

TEST_F(RecolourPassTest, EmptySlotsAreSkippedAndTheRestRecoloured)
{
    const int32_t first = addElement(0, el::Line, kDashed, kBlack);
    const int32_t gone = addElement(0, el::Line, kDashed, kBlack);
    ASSERT_TRUE(model().figure(0)->elements.erase(gone));
    model().figure(0)->elements.appendState(0, 1, el::Empty);
    model().figure(0)->elements.appendState(0, 1, el::Purged);
    const int32_t last = addElement(0, el::Line, kDashed, kBlack);

    EXPECT_TRUE(run());
    EXPECT_EQ(colourOf(first), kRed);
    EXPECT_EQ(colourOf(gone), kBlack);
    EXPECT_EQ(colourOf(last), kRed);
    EXPECT_EQ(calls("aatDbRead"), 5u);
    EXPECT_EQ(calls("aatAtrDisp"), 1u);
}

TEST_F(RecolourPassTest, AReadErrorStopsThePassWithoutRedisplay)
{
    const int32_t before = addElement(0, el::Line, kDashed, kBlack);
    const int32_t bad = addElement(0, el::Line, kDashed, kBlack);
    const int32_t after = addElement(0, el::Line, kDashed, kBlack);
    failingId = bad;
    {
        const mobrhost::ScopedHostOverride read("aatDbRead", &readFailingOne);
        EXPECT_FALSE(run());
    }
    EXPECT_EQ(colourOf(before), kRed);
    EXPECT_EQ(colourOf(after), kBlack);
    EXPECT_EQ(calls("aatAtrDisp"), 0u);
    EXPECT_EQ(calls("aagInpInit"), 2u);

    // An owner that cannot be read stops the pass before its member, read
    // first, is written.
    const int32_t member = addElement(0, el::Line, kDotted, kBlack);
    const int32_t group = groupOf(0);
    mobrhost::bytes::setI32(slot(member), el::kOwner, group);
    failingId = group;
    {
        const mobrhost::ScopedHostOverride read("aatDbRead", &readFailingOne);
        EXPECT_FALSE(run());
    }
    EXPECT_EQ(colourOf(after), kRed);
    EXPECT_EQ(colourOf(member), kBlack);
    EXPECT_EQ(calls("aatAtrDisp"), 0u);
}

TEST_F(RecolourPassTest, StartAndEndCallsInOrderUnderTheWaitCursor)
{
    addElement(0, el::Line, kDashed, kBlack);
    static bool waitShown = false;
    const mobrhost::ScopedHostOverride status(
        "aatDbStatus", +[](short fig, void* block) -> int32_t {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            waitShown = cursor && cursor->shape() == Qt::WaitCursor;
            model().figure(fig)->elements.status(block, fig);
            return 0;
        });
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(run());
    EXPECT_TRUE(waitShown);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the previous cursor is back";

    std::vector<std::string> names;
    for (const auto& e : mobrhost::journalEntries()) {
        if (e.name.rfind("aa", 0) == 0) names.push_back(e.name + "(" + (e.args.empty() ? "" : e.args[0]) + ")");
    }
    const std::vector<std::string> start{"aagInpInit()", "aatUndPend2(0)", "aatDbStatus(0)",
                                         "aatFigGetPenInfo(0)", "aatFigGetPenExInfo(0)", "aatDbRead(0)"};
    ASSERT_GE(names.size(), start.size() + 2);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 6), start);
    EXPECT_EQ(names[names.size() - 2], "aatAtrDisp(0)");
    EXPECT_EQ(names.back(), "aagInpInit()");
}

TEST_F(RecolourPassTest, NoStatusMeansNoReadsAndNoRedisplay)
{
    addElement(0, el::Line, kDashed, kBlack);
    const mobrhost::ScopedHostOverride status("aatDbStatus", +[](short, void*) -> int32_t { return -1; });
    EXPECT_FALSE(run());
    EXPECT_EQ(calls("aatDbRead"), 0u);
    EXPECT_EQ(calls("aatAtrDisp"), 0u);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
