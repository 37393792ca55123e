// System settings through the named functions: direction codes, block sizes,
// the current figure, checked setters, colours, point modes and search
// tables, attribute marks, numeric parameters, paths.

#include <array>
#include <cstring>

#include "HostFixture.h"
#include "frame/HostApi.h"
#include "model/FigureModel.h"
#include "model/HostSession.h"

namespace {

// A caller's block with guard bytes behind it: a host that writes more than
// the block's size changes the guard.
template <std::size_t N>
struct Guarded {
    std::array<unsigned char, N + 16> bytes;
    Guarded() { bytes.fill(0xCC); }
    unsigned char* data() { return bytes.data(); }
    bool guardIntact() const
    {
        for (std::size_t i = N; i < bytes.size(); ++i) {
            if (bytes[i] != 0xCC) return false;
        }
        return true;
    }
};

template <typename T>
T field(const unsigned char* block, std::size_t offset)
{
    T v;
    std::memcpy(&v, block + offset, sizeof v);
    return v;
}
template <typename T>
void setField(unsigned char* block, std::size_t offset, T v)
{
    std::memcpy(block + offset, &v, sizeof v);
}

}  // namespace

class SettingsTest : public HostFixture {};

TEST_F(SettingsTest, BlocksReadWithCode114AndWriteWith119WithinTheirSizes)
{
    // One-value blocks are exactly their value: two bytes for a 16-bit value.
    Guarded<2> delconf;
    ASSERT_EQ(hostapi::aatSysInfDelconf(114, delconf.data()), 0);
    EXPECT_TRUE(delconf.guardIntact());
    EXPECT_EQ(field<int16_t>(delconf.data(), 0), 1);
    setField<int16_t>(delconf.data(), 0, 0);
    ASSERT_EQ(hostapi::aatSysInfDelconf(119, delconf.data()), 0);
    Guarded<2> again;
    hostapi::aatSysInfDelconf(114, again.data());
    EXPECT_EQ(field<int16_t>(again.data(), 0), 0);

    // The flag block keeps every byte written, not only the named fields.
    Guarded<64> flags;
    hostapi::aatSysInfFlags(114, flags.data());
    EXPECT_TRUE(flags.guardIntact());
    EXPECT_EQ(field<int16_t>(flags.data(), 32), 1);
    setField<int16_t>(flags.data(), 34, 7);
    setField<int16_t>(flags.data(), 62, 2);
    flags.data()[40] = 0x5A;
    hostapi::aatSysInfFlags(119, flags.data());
    Guarded<64> read;
    hostapi::aatSysInfFlags(114, read.data());
    EXPECT_EQ(0, std::memcmp(read.data(), flags.data(), 64));
    EXPECT_EQ(hostapi::aatSysGetPosXYCls(), 2);   // the coordinate class lives at 62

    Guarded<16> symb;
    hostapi::aatSysInfSymb(114, symb.data());
    EXPECT_TRUE(symb.guardIntact());
    Guarded<184> cdim;
    hostapi::aatSysInfCdim(114, cdim.data());
    EXPECT_TRUE(cdim.guardIntact());
    EXPECT_EQ(field<int16_t>(cdim.data(), 90), 2);
    Guarded<32> atr;
    hostapi::aatSysInfAtrMode(114, atr.data());
    EXPECT_TRUE(atr.guardIntact());
    EXPECT_EQ(atr.data()[0], 'A');
    Guarded<1> slin;
    EXPECT_EQ(hostapi::aatAtrModSlin(114, 0, slin.data()), 0);
    EXPECT_TRUE(slin.guardIntact());
    EXPECT_EQ(hostapi::aatAtrModSlin(114, 1, slin.data()), -1);

    // Any other code, or no block, is refused and changes nothing.
    setField<int16_t>(delconf.data(), 0, 5);
    EXPECT_EQ(hostapi::aatSysInfDelconf(82, delconf.data()), -1);
    EXPECT_EQ(hostapi::aatSysInfDelconf(119, nullptr), -1);
    hostapi::aatSysInfDelconf(114, again.data());
    EXPECT_EQ(field<int16_t>(again.data(), 0), 0);
}

TEST_F(SettingsTest, CurrentFigureNeedsCode82AndComesFromTheFigureSource)
{
    short fig = -1;
    const short current = hostapi::aatSysInfCFigno(82, &fig);
    EXPECT_EQ(fig, current);
    EXPECT_EQ(current, mobrhost::HostSession::instance().currentFigure());
    mobrhost::HostSession::instance().setCurrentFigureSource([] { return short(3); });
    EXPECT_EQ(hostapi::aatSysInfCFigno(82, &fig), 3);
    EXPECT_EQ(fig, 3);
    fig = 9;
    EXPECT_EQ(hostapi::aatSysInfCFigno(114, &fig), -1);
    EXPECT_EQ(fig, 9);
    mobrhost::HostSession::instance().setCurrentFigureSource({});
}

TEST_F(SettingsTest, ViewRatiosAndCentreLineDistanceGoBothWays)
{
    double r1 = 0, r2 = 0, r3 = 0;
    ASSERT_EQ(hostapi::aatSysInfVratio(114, &r1, &r2, &r3), 0);
    EXPECT_EQ(r1, 1.0);
    r1 = 1.5, r2 = 2.5, r3 = 0.25;
    ASSERT_EQ(hostapi::aatSysInfVratio(119, &r1, &r2, &r3), 0);
    double a = 0, b = 0, c = 0;
    hostapi::aatSysInfVratio(114, &a, &b, &c);
    EXPECT_EQ(a, 1.5);
    EXPECT_EQ(b, 2.5);
    EXPECT_EQ(c, 0.25);
    r2 = -1;
    EXPECT_EQ(hostapi::aatSysInfVratio(119, &r1, &r2, &r3), -1);
    hostapi::aatSysInfVratio(114, &a, &b, &c);
    EXPECT_EQ(b, 2.5);   // a refused write leaves all three

    double d = 7.5;
    EXPECT_EQ(hostapi::aauSysCLineDist(1, &d), 0);
    d = 0;
    EXPECT_EQ(hostapi::aauSysCLineDist(0, &d), 0);
    EXPECT_EQ(d, 7.5);
    EXPECT_EQ(hostapi::aauSysCLineDist(2, &d), -1);
}

TEST_F(SettingsTest, SettersRefuseValuesOutsideTheirRangeAndKeepTheOldValue)
{
    EXPECT_EQ(hostapi::aatSchSetPointType(4), 0);
    EXPECT_EQ(hostapi::aatSchSetPointType(6), -1);
    EXPECT_EQ(hostapi::aatSchGetPointType(), 4);
    EXPECT_EQ(hostapi::aatSchSetTableMax(51), -1);
    EXPECT_EQ(hostapi::aatSchSetTableMax(50), 0);
    EXPECT_EQ(hostapi::aatSchGetTableMax(), 50);
    EXPECT_EQ(hostapi::aatDrwSetPenMode(2), -1);
    EXPECT_EQ(hostapi::aatDrwSetPenMode(0), 0);
    EXPECT_EQ(hostapi::aatDrwGetPenMode(), 0);
    EXPECT_EQ(hostapi::aatSysSetApproxArcTol(0), -1);
    EXPECT_EQ(hostapi::aatSysSetSktColor(5, 1, 2, 3), -1);
    EXPECT_EQ(hostapi::aatSysSetSktColor(2, 1, 256, 3), -1);
    EXPECT_EQ(hostapi::aatSysSetSktColor(2, 1, 2, 3), 0);
    int32_t r = 0, g = 0, b = 0;
    hostapi::aatSysGetSktColor(2, &r, &g, &b);
    EXPECT_EQ((std::array<int32_t, 3>{r, g, b}), (std::array<int32_t, 3>{1, 2, 3}));
    EXPECT_EQ(hostapi::aatDrwSetDispWidthDot(151, 1), -1);
    EXPECT_EQ(hostapi::aatDrwSetDispWidthDot(50, 2), 0);
    int32_t h = 0, s = 0;
    hostapi::aatDrwGetDispWidthDot(&h, &s);
    EXPECT_EQ(h, 50);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(hostapi::aatTbarStyleSet(4, 0), -1);
    EXPECT_EQ(hostapi::aatTbarStyleSet(2, 3), 0);
    EXPECT_EQ(hostapi::aatSysSetUserTempCurDir(3), -1);   // two template folders
    EXPECT_EQ(hostapi::aatSysSetUserTempCurDir(2), 0);
    EXPECT_EQ(hostapi::aatSysGetUserTempCurDir(), 2);
    EXPECT_EQ(hostapi::aatSysSetUserTemplete("dir/FILE.INI"), -1);
}

TEST_F(SettingsTest, SystemColoursNeedTheTableHandleAndRestoreIsForwarded)
{
    void* info = hostapi::aatSysGetColInfo();
    ASSERT_NE(info, nullptr);
    int32_t r = -1, g = -1, b = -1;
    EXPECT_EQ(hostapi::aatSysColGetRGB(info, hostapi::aatColGetIndex(2), &r, &g, &b), 0);
    EXPECT_EQ(r + g + b, 3 * 255);   // the background is white
    EXPECT_EQ(hostapi::aatSysColSetRGB(info, 22, 10, 20, 30), 0);
    EXPECT_EQ(hostapi::aatSysColSetRGB(&r, 22, 1, 1, 1), -1);
    EXPECT_EQ(hostapi::aatSysColSetRGB(info, 64, 1, 1, 1), -1);
    hostapi::aatSysColGetRGB(info, 22, &r, &g, &b);
    EXPECT_EQ(g, 20);
    EXPECT_EQ(hostapi::aatColGetIndex(64), -1);

    struct Listener : mobrhost::HostListener {
        int colours = 0;
        std::vector<int> redraws;
        void systemColoursChanged() override { ++colours; }
        void redraw(int fig) override { redraws.push_back(fig); }
    } listener;
    mobrhost::HostSession::instance().setListener(&listener);
    hostapi::aatSysColRestore();
    hostapi::aatDrwAllView();
    hostapi::aatDrwFigView(2);
    mobrhost::HostSession::instance().setListener(nullptr);
    EXPECT_EQ(listener.colours, 1);
    EXPECT_EQ(listener.redraws, (std::vector<int>{-1, 2}));
    EXPECT_EQ(mobrhost::journalEntries("redraw").size(), 2u);
    EXPECT_EQ(mobrhost::journalEntries("aatSysGetColInfo")[0].result, "sysColours#1");

    EXPECT_EQ(hostapi::aatPaletteGetColor(1, 2, 300), 0xFF0201u);   // red in the low byte
}

TEST_F(SettingsTest, WidthInDotsFollowsTheWidthDisplay)
{
    EXPECT_EQ(hostapi::aatDrwGetWidthCount(25), 1);     // up to the display width: one dot
    EXPECT_EQ(hostapi::aatDrwGetWidthCount(100), 4);    // 1 mm at 96 dots per inch
    EXPECT_GT(hostapi::aatDrwGetWidthCount(500), hostapi::aatDrwGetWidthCount(100));
    hostapi::aatDrwSetWidthMode(1);                     // width display off
    EXPECT_EQ(hostapi::aatDrwGetWidthCount(500), 1);
}

TEST_F(SettingsTest, SearchTablesAreSetAgainOnlyBetweenInitAndCreate)
{
    uint16_t kinds[16];
    std::fill(std::begin(kinds), std::end(kinds), 0xFFFF);
    kinds[0] = 20;
    kinds[1] = 99;
    EXPECT_EQ(hostapi::aasSchTableSet(0, 0, "Base2", kinds), -1);   // no init yet
    ASSERT_EQ(hostapi::aasSchBaseTableInit(), 0);
    EXPECT_EQ(hostapi::aasSchTableSet(0, 0, "Base2", kinds), 0);
    EXPECT_EQ(hostapi::aasSchTableSet(1, 3, "Mine", kinds), 0);
    EXPECT_EQ(hostapi::aasSchTableSet(1, 4, "Bad", kinds), -1);
    EXPECT_EQ(hostapi::aasSchTableSet(1, 0, "SIXTEEN_BYTES_XX", kinds), -1);
    // Not yet visible.
    EXPECT_STREQ(static_cast<const char*>(hostapi::aasPModeTableGet(0)), "Base");
    ASSERT_EQ(hostapi::aasSchTableCreate(), 0);
    const auto* base = static_cast<const unsigned char*>(hostapi::aasPModeTableGet(0));
    EXPECT_STREQ(reinterpret_cast<const char*>(base), "Base2");
    EXPECT_EQ(field<uint16_t>(base, 16), 20);
    EXPECT_EQ(field<uint16_t>(base, 18), 99);
    EXPECT_STREQ(hostapi::aasPModeUserNameGet(3), "Mine");
    EXPECT_STREQ(hostapi::aasPModeUserNameGet(0), "");   // not set again: undefined now
    EXPECT_EQ(field<uint16_t>(static_cast<const unsigned char*>(hostapi::aasPModeUsetTableGet(3)), 2), 99);
    EXPECT_EQ(hostapi::aasSchTableCreate(), -1);
}

TEST_F(SettingsTest, SelectableModesHideRatioWithoutItsStatusBitAndEndWithBlank)
{
    char code = 0;
    char name[64];
    EXPECT_EQ(hostapi::aasPModeDataTmpGet(7, &code, name), 0);
    EXPECT_EQ(code, 'R');
    EXPECT_EQ(hostapi::aasPModeDataTmpGet(8, &code, name), 1);   // user table 0 is defined
    EXPECT_STREQ(name, "User0");
    EXPECT_EQ(hostapi::aasPModeDataTmpGet(9, &code, name), 0);   // user table 1 is not
    EXPECT_EQ(hostapi::aasPModeDataTmpGet(12, &code, name), -1);
    EXPECT_EQ(code, ' ');
    EXPECT_STREQ(hostapi::aasPModeNameTmpGet('0'), "User0");
    EXPECT_EQ(hostapi::aasPModeNameTmpGet('1'), nullptr);
    EXPECT_EQ(hostapi::aasPModeNameGet(8), nullptr);

    EXPECT_EQ(hostapi::aatAtrPntMode_SetSort("AFZ"), -1);
    EXPECT_EQ(hostapi::aatAtrPntMode_SetSort("0123RMGSXPFA"), 0);
    char sort[17];
    hostapi::aatAtrPntMode_GetSort(sort);
    EXPECT_STREQ(sort, "0123RMGSXPFA");
    EXPECT_EQ(hostapi::aatAtrPntMode_SetSort("AAAAAAAAAAAAAAAAA"), -1);   // 17 codes
}

class RatioModeTest : public HostFixture {
    void adjustStart(mobrhost::HostStart& start) override { start.commandStatus = 0x20; }
};

TEST_F(RatioModeTest, RatioModeIsSelectableWithItsStatusBit)
{
    char code = 0;
    char name[64];
    EXPECT_EQ(hostapi::aasPModeDataTmpGet(7, &code, name), 1);
    EXPECT_EQ(hostapi::aatOpCmdGetStatus(), 0x20);
}

TEST_F(SettingsTest, AttributeMarksConvertBothWaysForEverySlot)
{
    char atr[32];
    hostapi::aatSysInfAtrMode(114, atr);
    for (int slot = 0; slot < 32; ++slot) {
        int32_t ctl = -1;
        const int32_t family = hostapi::aatAtrModeCtrl(slot, &ctl);
        if (family < 1 || family > 3) continue;
        int32_t index = -1;
        char label[64] = {};
        int32_t back = -1;
        if (family == 1) {
            index = hostapi::aatAtrMakMode1_ChrToIdx(ctl, atr[slot]);
            back = hostapi::aatAtrMakMode1_IdxToChr(ctl, index, label);
            EXPECT_LT(index, hostapi::aatAtrMakMode1_Count(ctl));
        } else if (family == 2) {
            index = hostapi::aatAtrMakMode2_ChrToIdx(ctl, atr[slot]);
            back = hostapi::aatAtrMakMode2_IdxToChr(ctl, index, label);
        } else {
            index = hostapi::aatAtrMakMode3_ChrToIdx(ctl, atr[slot]);
            back = hostapi::aatAtrMakMode3_IdxToChr(ctl, index, label);
        }
        EXPECT_GE(index, 0) << "slot " << slot;
        EXPECT_EQ(back, atr[slot]) << "slot " << slot;
        EXPECT_NE(label[0], '\0') << "slot " << slot;
    }
    char label[64];
    EXPECT_EQ(hostapi::aatAtrMakMode3_IdxToChr(0, 99, label), -1);
    EXPECT_EQ(hostapi::aatAtrMakMode2_ChrToIdx(0, 'Q'), -1);
    EXPECT_EQ(hostapi::aatAtrModeCtrl(32, nullptr), -1);

    // The colour mode is the figure's own: written here, kept by the figure.
    const short figure = hostapi::aatSysInfCFigno(82, nullptr);
    char mode = 0;
    EXPECT_EQ(hostapi::aatAtrColMod(114, figure, &mode), 0);
    EXPECT_EQ(mode, 'P');
    mode = 'X';
    EXPECT_EQ(hostapi::aatAtrColMod(119, figure, &mode), -1);
    mode = 'L';
    EXPECT_EQ(hostapi::aatAtrColMod(119, figure, &mode), 0);
    EXPECT_EQ(mobrhost::FigureModel::instance().figure(figure)->colourMode, 'L');
    mode = 0;
    EXPECT_EQ(hostapi::aatAtrColMod(114, figure + 5, &mode), -1);  // no such figure
    EXPECT_EQ(mode, 0);
}

TEST_F(SettingsTest, NumericParametersAndCaptionsStayInTheirBuffers)
{
    std::array<unsigned char, 880> table{};
    ASSERT_EQ(hostapi::aatComNumUsInfo(114, table.data()), 0);
    EXPECT_EQ(std::memcmp(table.data() + 2, "LEN", 4), 0);
    setField<double>(table.data(), 22 + 14, 42.5);
    std::memcpy(table.data() + 22 + 2, "W", 2);
    ASSERT_EQ(hostapi::aatComNumUsInfo(119, table.data()), 0);
    std::array<unsigned char, 880> back{};
    hostapi::aatComNumUsInfo(114, back.data());
    EXPECT_EQ(table, back);

    ASSERT_EQ(hostapi::aatComNumRefNum(), 3);
    char name[12];
    ASSERT_EQ(hostapi::aatComNumRefPara(2, name), 0);
    EXPECT_STREQ(name, "SCALE");
    EXPECT_EQ(hostapi::aatComNumRefPara(3, name), -1);
    char caption[8];
    std::memset(caption, 'x', sizeof caption);
    ASSERT_EQ(hostapi::aatComNumGetParaCation("SCALE", caption, 5), 0);
    EXPECT_STREQ(caption, "Draw");
    EXPECT_EQ(caption[5], 'x');
    EXPECT_EQ(hostapi::aatComNumSetPara("SCALE", 0.5), 0);
    EXPECT_EQ(hostapi::aatComNumSetPara("NONE", 0.5), -1);
    double v = 0;
    hostapi::aatComNumRefVal("SCALE", &v);
    EXPECT_EQ(v, 0.5);

    EXPECT_EQ(hostapi::aapLComDoubleRevise(0.1 + 0.2), 0.3);
    EXPECT_EQ(hostapi::aapLComDoubleRevise(-0.0000001), 0.0);
}

TEST_F(SettingsTest, PathJoiningAddsOneSeparatorAndRefusesWhatDoesNotFit)
{
    char out[520];
    ASSERT_EQ(hostapi::aatComPathJoint(out, nullptr, "/sys", "MOBR.SYS"), 0);
    EXPECT_STREQ(out, "/sys/MOBR.SYS");
    ASSERT_EQ(hostapi::aatComPathJoint(out, "", "/sys/", "MOBR.SYS"), 0);
    EXPECT_STREQ(out, "/sys/MOBR.SYS");
    ASSERT_EQ(hostapi::aatComPathJoint(out, "C:", "\\sys\\", "A.INI"), 0);
    EXPECT_STREQ(out, "/sys/A.INI");
    // A folder ending in a double-byte character whose trail byte is 0x5C
    // does not end with a separator.
    ASSERT_EQ(hostapi::aatComPathJoint(out, nullptr, "/\x95\x5C", "A"), 0);
    EXPECT_STREQ(out, "/\x95\x5C/A");
    const std::string longDir(515, 'd');
    out[0] = 'x';
    EXPECT_EQ(hostapi::aatComPathJoint(out, nullptr, longDir.c_str(), "FILE.INI"), -1);
    EXPECT_EQ(out[0], '\0');
}

TEST_F(SettingsTest, PathsSplitAtTheirLastSeparatorButNeverAtATrailByte)
{
    char dir[520];
    char name[520];
    ASSERT_EQ(hostapi::as_FilCutFileName("/sys/tmpl/MINE.INI", dir, name), 0);
    EXPECT_STREQ(dir, "/sys/tmpl/");
    EXPECT_STREQ(name, "MINE.INI");
    ASSERT_EQ(hostapi::as_FilCutFullPath2("C:\\dir\\\x95\x5C.INI", dir, name), 0);
    EXPECT_STREQ(dir, "C:\\dir\\");
    EXPECT_STREQ(name, "\x95\x5C.INI");
    ASSERT_EQ(hostapi::as_FilCutFileName("BARE.INI", dir, name), 0);
    EXPECT_STREQ(dir, "");
    EXPECT_STREQ(name, "BARE.INI");
    const std::string tooLong(600, 'a');
    EXPECT_EQ(hostapi::as_FilCutFileName(tooLong.c_str(), dir, name), -1);
    EXPECT_STREQ(name, "");
}

TEST_F(SettingsTest, RecentFileStatusKeepsTheNameAtItsOffset)
{
    std::array<unsigned char, 1024> status{};
    std::strcpy(reinterpret_cast<char*>(status.data() + 768), "/work/a.fig");
    ASSERT_EQ(hostapi::aatSysStsFile(119, 5, status.data()), 0);
    std::array<unsigned char, 1024> read;
    read.fill(0xEE);
    ASSERT_EQ(hostapi::aatSysStsFile(114, 5, read.data()), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(read.data() + 768), "/work/a.fig");
    EXPECT_EQ(read[0], 0);
    EXPECT_EQ(hostapi::aatSysStsFile(114, 80, read.data()), -1);
    EXPECT_EQ(hostapi::aapLFigRName(5, "/work/b.fig"), 0);
    hostapi::aatSysStsFile(114, 5, read.data());
    EXPECT_STREQ(reinterpret_cast<const char*>(read.data() + 768), "/work/b.fig");
}

TEST_F(SettingsTest, HelpAndWarningsAreRecordedAndForwarded)
{
    struct Listener : mobrhost::HostListener {
        std::vector<int> topics;
        std::vector<std::string> warnings;
        void showHelp(int topic) override { topics.push_back(topic); }
        void showWarning(int id, const std::string& text) override { warnings.push_back(text); }
    } listener;
    mobrhost::HostSession::instance().setListener(&listener);
    EXPECT_EQ(hostapi::aapRunDlgHelp(473), 0);
    EXPECT_EQ(hostapi::aapLcom_mwar(9000), 0);
    mobrhost::HostSession::instance().setListener(nullptr);
    EXPECT_EQ(listener.topics, (std::vector<int>{473}));
    ASSERT_EQ(listener.warnings.size(), 1u);
    EXPECT_FALSE(listener.warnings[0].empty());
    const auto notes = mobrhost::journalEntries("warning");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].args[0], "9000");
}

TEST_F(SettingsTest, ErrorDistanceBlockIsTheCurrentFiguresValue)
{
    const short figure = hostapi::aatSysInfCFigno(82, nullptr);
    ASSERT_EQ(hostapi::aatFigSetErrDist(figure, 0.0001), 0);
    Guarded<8> block;
    ASSERT_EQ(hostapi::aatSysInfErrdst(114, block.data()), 0);
    EXPECT_DOUBLE_EQ(field<double>(block.data(), 0), 0.0001);
    EXPECT_TRUE(block.guardIntact());

    setField<double>(block.data(), 0, 0.01);
    ASSERT_EQ(hostapi::aatSysInfErrdst(119, block.data()), 0);
    const mobrhost::Figure* current = mobrhost::FigureModel::instance().figure(figure);
    ASSERT_NE(current, nullptr);
    EXPECT_DOUBLE_EQ(current->errorDistance, 0.01);

    setField<double>(block.data(), 0, -1.0);  // not a distance: refused, value kept
    EXPECT_EQ(hostapi::aatSysInfErrdst(119, block.data()), -1);
    EXPECT_DOUBLE_EQ(current->errorDistance, 0.01);
}
