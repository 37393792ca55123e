#include "options/UserOpValues.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <functional>
#include <vector>

#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobr/host_types.h"
#include "mobr/ComNumUs.h"
#include "optionpages/CUserOp05.h"
#include "optionpages/CUserOp09.h"
#include "optionpages/CUserOpPage.h"
#include "platform/CodePage.h"
#include "options/UserOpApplyLog.h"

namespace {

constexpr int32_t kRead = 114;
constexpr int32_t kWrite = 119;
constexpr int kFlagsBytes = 64;
constexpr int kSymbolBytes = 16;
constexpr int kFlagAOffset = 32;
constexpr int kFlagBOffset = 34;
constexpr int kSymbolModeOffset = 2;
constexpr int kSymbolSizeOffset = 4;
constexpr int kRecentFileSlots = 80;
constexpr int kFileStatusBytes = 1024;
constexpr int kFileStatusNameOffset = 768;
constexpr int kPathBytes = 520;

// Every option value of the block-fed pages, as the pages hold them: 16-bit
// host values widened with their sign, the rubber-band angle mode 0-based.
struct OptionValues {
    std::array<unsigned char, kFlagsBytes> flags{};
    std::array<unsigned char, kSymbolBytes> symbol{};
    CAtrModeIndex atr;
    int32_t symbolMode = 0, digits = 0, closeMode = 0, extensionCheck = 0;
    int32_t rubberAngle = 0, flagA = 0, flagB = 0, splineMode = 0, biArc = 0;
    int32_t deleteConfirm = 0, dimensionHold = 0;
    double symbolSize = 0, displayDots = 0, ratio1 = 0, ratio2 = 0, ratio3 = 0;
    double centreLine = 0, arcTolerance = 0, extensionDistance = 0;
};

// One field of an option block: an attribute-mode slot's index, or an
// integer or real member of OptionValues.
struct BlockField {
    int offset;
    int atrSlot;  // -1: not an attribute-mode slot
    int32_t OptionValues::*integer;
    double OptionValues::*real;
};
constexpr BlockField atr(int offset, int slot) { return {offset, slot, nullptr, nullptr}; }
constexpr BlockField i32(int offset, int32_t OptionValues::*m) { return {offset, -1, m, nullptr}; }
constexpr BlockField f64(int offset, double OptionValues::*m) { return {offset, -1, nullptr, m}; }

struct BlockLayout {
    UserOpSlot slot;
    int bytes;
    std::vector<BlockField> fields;
};

const std::vector<BlockLayout>& blockLayouts()
{
    using V = OptionValues;
    namespace b2 = userop02;
    namespace b3 = userop03;
    namespace b4 = userop04;
    static const std::vector<BlockLayout> layouts = {
        {kSlotDrawing, b2::kBytes,
         {atr(b2::kAtr18, 18), atr(b2::kAtr4, 4), i32(b2::kSymbolMode, &V::symbolMode),
          f64(b2::kSymbolSize, &V::symbolSize), i32(b2::kDigits, &V::digits), f64(b2::kDisplayDots, &V::displayDots),
          f64(b2::kRatio1, &V::ratio1), f64(b2::kRatio2, &V::ratio2), f64(b2::kRatio3, &V::ratio3),
          atr(b2::kAtr22, 22), i32(b2::kCloseMode, &V::closeMode), atr(b2::kAtr28, 28),
          i32(b2::kExtensionCheck, &V::extensionCheck), atr(b2::kAtr29, 29)}},
        {kSlotInput, b3::kBytes,
         {atr(b3::kAtr16, 16), atr(b3::kAtr1, 1), i32(b3::kRubberAngle, &V::rubberAngle), atr(b3::kAtr2, 2),
          atr(b3::kAtr15, 15), i32(b3::kFlagB, &V::flagB), i32(b3::kFlagA, &V::flagA),
          i32(b3::kSplineMode, &V::splineMode), atr(b3::kAtr26, 26), f64(b3::kCentreLine, &V::centreLine),
          atr(b3::kAtr27, 27), f64(b3::kArcTolerance, &V::arcTolerance), i32(b3::kBiArc, &V::biArc)}},
        {kSlotEditing, b4::kBytes,
         {atr(b4::kAtr13, 13), atr(b4::kAtr21, 21), i32(b4::kDeleteConfirm, &V::deleteConfirm),
          atr(b4::kAtr3, 3), atr(b4::kAtr20, 20), atr(b4::kAtr25, 25), i32(b4::kDimensionHold, &V::dimensionHold),
          f64(b4::kExtensionDistance, &V::extensionDistance), atr(b4::kAtr30, 30), atr(b4::kAtr31, 31)}},
    };
    return layouts;
}

std::vector<unsigned char> buildBlock(const BlockLayout& layout, const OptionValues& v)
{
    std::vector<unsigned char> block(static_cast<std::size_t>(layout.bytes), 0);
    for (const BlockField& f : layout.fields) {
        if (f.atrSlot >= 0) mobr::bytes::put<int32_t>(block.data(), f.offset, v.atr.index(f.atrSlot));
        else if (f.integer) mobr::bytes::put<int32_t>(block.data(), f.offset, v.*f.integer);
        else mobr::bytes::put<double>(block.data(), f.offset, v.*f.real);
    }
    return block;
}

void takeBlock(const BlockLayout& layout, const std::vector<unsigned char>& block, OptionValues& v)
{
    for (const BlockField& f : layout.fields) {
        if (f.atrSlot >= 0) v.atr.setIndex(f.atrSlot, mobr::bytes::get<int32_t>(block.data(), f.offset));
        else if (f.integer) v.*f.integer = mobr::bytes::get<int32_t>(block.data(), f.offset);
        else v.*f.real = mobr::bytes::get<double>(block.data(), f.offset);
    }
}

// A host value kept in one 16-bit field, widened with its sign.
int32_t readShort(int32_t (*exchange)(int32_t, void*))
{
    unsigned char block[2] = {};
    exchange(kRead, block);
    return mobr::bytes::i16(block, 0);
}

// Cut back to 16 bits on the way to the host.
int32_t writeShort(int32_t (*exchange)(int32_t, void*), int32_t value)
{
    unsigned char block[2] = {};
    mobr::bytes::put<int16_t>(block, 0, static_cast<int16_t>(value));
    return exchange(kWrite, block);
}

void readHost(OptionValues& v)
{
    using namespace hostapi;
    aatSysInfFlags(kRead, v.flags.data());
    v.flagA = mobr::bytes::i16(v.flags.data(), kFlagAOffset);
    v.flagB = mobr::bytes::i16(v.flags.data(), kFlagBOffset);
    v.atr.read();
    aatSysInfSymb(kRead, v.symbol.data());
    v.symbolMode = mobr::bytes::i16(v.symbol.data(), kSymbolModeOffset);
    v.symbolSize = mobr::bytes::get<double>(v.symbol.data(), kSymbolSizeOffset);
    v.digits = readShort(aatSysInfMdgt);
    unsigned char dots[8] = {};
    aatSysInfEDsp(kRead, dots);
    v.displayDots = mobr::bytes::get<double>(dots, 0);
    aatSysInfVratio(kRead, &v.ratio1, &v.ratio2, &v.ratio3);
    v.rubberAngle = readShort(aatRubAngMode) - 1;
    v.splineMode = aatSysGetSplMode();
    v.deleteConfirm = readShort(aatSysInfDelconf);
    v.closeMode = readShort(aatSysInfMdclose);
    aauSysCLineDist(0, &v.centreLine);
    v.extensionCheck = aatSysGetSaveFileExtCheck();
    v.dimensionHold = readShort(aatSysInfDimFigureHold);
    aatSysGetExtDist(&v.extensionDistance);
    aatSysGetApproxArcTol(&v.arcTolerance);
    aatSysGetApproxBiArc(&v.biArc);
}

// The host's recent file names are handed back to it slot by slot, so that
// the host shows them as they are now.
void renameRecentFiles()
{
    std::vector<unsigned char> status(kFileStatusBytes);
    for (int slot = 0; slot < kRecentFileSlots; ++slot) {
        if (hostapi::aatSysStsFile(kRead, slot, status.data()) != 0) continue;
        const char* name = reinterpret_cast<const char*>(status.data() + kFileStatusNameOffset);
        const std::size_t length = strnlen(name, kFileStatusBytes - kFileStatusNameOffset);
        if (length == 0) continue;
        char buffer[kPathBytes] = {};
        std::memcpy(buffer, name, std::min<std::size_t>(length, kPathBytes - 1));
        hostapi::aapLFigRName(slot, buffer);
    }
}

// The single values, in the host's write order; each is written only when
// the page that carries it gave its block.
struct ValueWrite {
    UserOpSlot page;
    const char* name;
    std::function<int32_t(OptionValues&)> write;
};

const std::vector<ValueWrite>& valueWrites()
{
    using namespace hostapi;
    static const std::vector<ValueWrite> writes = {
        {kSlotInput, "aauSysCLineDist", [](OptionValues& v) { return aauSysCLineDist(1, &v.centreLine); }},
        {kSlotDrawing, "aatSysInfSymb",
         [](OptionValues& v) {
             mobr::bytes::put<int16_t>(v.symbol.data(), kSymbolModeOffset, static_cast<int16_t>(v.symbolMode));
             mobr::bytes::put<double>(v.symbol.data(), kSymbolSizeOffset, v.symbolSize);
             return aatSysInfSymb(kWrite, v.symbol.data());
         }},
        {kSlotDrawing, "aatSysSetSaveFileExtCheck", [](OptionValues& v) { return aatSysSetSaveFileExtCheck(v.extensionCheck); }},
        {kSlotDrawing, "aatSysInfMdgt", [](OptionValues& v) { return writeShort(aatSysInfMdgt, v.digits); }},
        {kSlotDrawing, "aatSysInfEDsp",
         [](OptionValues& v) {
             unsigned char dots[8] = {};
             mobr::bytes::put<double>(dots, 0, v.displayDots);
             return aatSysInfEDsp(kWrite, dots);
         }},
        {kSlotDrawing, "aatSysInfVratio", [](OptionValues& v) { return aatSysInfVratio(kWrite, &v.ratio1, &v.ratio2, &v.ratio3); }},
        {kSlotInput, "aatRubAngMode", [](OptionValues& v) { return writeShort(aatRubAngMode, v.rubberAngle + 1); }},
        {kSlotInput, "aatSysSetSplMode", [](OptionValues& v) { return aatSysSetSplMode(v.splineMode); }},
        {kSlotEditing, "aatSysInfDelconf", [](OptionValues& v) { return writeShort(aatSysInfDelconf, v.deleteConfirm); }},
        {kSlotCount, "aatSysInfNumFrmType", [](OptionValues&) { return writeShort(aatSysInfNumFrmType, 0); }},
        {kSlotDrawing, "aatSysInfMdclose", [](OptionValues& v) { return writeShort(aatSysInfMdclose, v.closeMode); }},
        {kSlotEditing, "aatSysInfDimFigureHold", [](OptionValues& v) { return writeShort(aatSysInfDimFigureHold, v.dimensionHold); }},
        {kSlotEditing, "aatSysSetExtDist", [](OptionValues& v) { return aatSysSetExtDist(v.extensionDistance); }},
        {kSlotInput, "aatSysSetApproxArcTol", [](OptionValues& v) { return aatSysSetApproxArcTol(v.arcTolerance); }},
        {kSlotInput, "aatSysSetApproxBiArc", [](OptionValues& v) { return aatSysSetApproxBiArc(v.biArc); }},
    };
    return writes;
}

}  // namespace

// ---- Attribute-mode indices ------------------------------------------------------

namespace {

using ChrToIdx = int32_t (*)(int32_t, int32_t);
using IdxToChr = int32_t (*)(int32_t, int32_t, char*);

// The conversions of mark family 1, 2 or 3; false for a slot without one.
bool conversionsOf(int slot, int32_t* ctl, ChrToIdx* toIndex, IdxToChr* toChar)
{
    switch (hostapi::aatAtrModeCtrl(slot, ctl)) {
    case 1: *toIndex = hostapi::aatAtrMakMode1_ChrToIdx; *toChar = hostapi::aatAtrMakMode1_IdxToChr; return true;
    case 2: *toIndex = hostapi::aatAtrMakMode2_ChrToIdx; *toChar = hostapi::aatAtrMakMode2_IdxToChr; return true;
    case 3: *toIndex = hostapi::aatAtrMakMode3_ChrToIdx; *toChar = hostapi::aatAtrMakMode3_IdxToChr; return true;
    default: return false;
    }
}

}  // namespace

bool CAtrModeIndex::read()
{
    if (hostapi::aatSysInfAtrMode(kRead, chars_.data()) != 0) return false;
    for (int slot = 0; slot < kSlots; ++slot) {
        int32_t ctl = 0;
        ChrToIdx toIndex = nullptr;
        IdxToChr toChar = nullptr;
        index_[static_cast<std::size_t>(slot)] =
            conversionsOf(slot, &ctl, &toIndex, &toChar) ? toIndex(ctl, chars_[static_cast<std::size_t>(slot)]) : 0;
    }
    return true;
}

int32_t CAtrModeIndex::write()
{
    std::array<unsigned char, kSlots> out = chars_;
    for (int slot = 0; slot < kSlots; ++slot) {
        int32_t ctl = 0;
        ChrToIdx toIndex = nullptr;
        IdxToChr toChar = nullptr;
        if (!conversionsOf(slot, &ctl, &toIndex, &toChar)) continue;
        char label[mobr::kHostLabelBytes] = {};
        const int32_t ch = toChar(ctl, index_[static_cast<std::size_t>(slot)], label);
        // -1 (an index the list lacks) must never become the byte 0xFF.
        if (ch > 0 && ch <= 0xFF) out[static_cast<std::size_t>(slot)] = static_cast<unsigned char>(ch);
    }
    return hostapi::aatSysInfAtrMode(kWrite, out.data());
}

// ---- Colours, numeric parameters, sketch ---------------------------------------------

namespace {

constexpr int kComNumItemTable = CUserOp05::kItemTable;
constexpr int kComNumItemReserved = CUserOp05::kItemReserved;
constexpr int kComNumItemMode = CUserOp05::kItemMode;
constexpr int kComNumValueMode = 1;
constexpr int kComNumTableBytes = comnum::kHostTableSlots * comnum::kRecordSize;
constexpr int kScratchBytes = 256;
constexpr int kColourKeepsFrameWith = 22;  // the colour whose change also sets colour 23
constexpr int kColourFrameTwin = 23;
constexpr int kMaxSystemColours = 15;

const char* const kReservedNames[] = {"MD", "MX", "MY", "MA", "MS", "ML", "PX", "PY", "SX", "SY", "EX",
                                      "EY", "LL", "LA", "CX", "CY", "CR", "CL", "SA", "EA", "ZX", "ZY"};

// How many reference parameters the host has, within the list's 24 entries.
int referenceCount()
{
    return std::clamp(hostapi::aatComNumRefNum(), 0, comnumref::kMaxEntries);
}

// One reference parameter, its name and caption cut to their fields on a
// character boundary whatever the host wrote into the (larger) scratch buffers.
void readReference(int index, unsigned char* entry)
{
    char name[kScratchBytes] = {};
    char caption[kScratchBytes] = {};
    double value = 0.0;
    hostapi::aatComNumRefPara(index, name);
    name[kScratchBytes - 1] = '\0';
    char* nameField = reinterpret_cast<char*>(entry + comnumref::kCaptionBytes);
    mobr::cp932::copyToBuffer(name, nameField, comnumref::kNameBytes);
    hostapi::aatComNumRefVal(nameField, &value);
    hostapi::aatComNumGetParaCation(nameField, caption, comnumref::kCaptionBytes);
    caption[kScratchBytes - 1] = '\0';
    mobr::cp932::copyToBuffer(caption, reinterpret_cast<char*>(entry), comnumref::kCaptionBytes);
    mobr::bytes::put<double>(entry, comnumref::kCaptionBytes + comnumref::kNameBytes, value);
}

void loadNumeric(const UserOpPages& pages)
{
    if (CUserOpPage* page = pages.at(kSlotNumeric)) {
        std::vector<unsigned char> table(kComNumTableBytes, 0);
        hostapi::aatComNumUsInfo(kRead, table.data());
        page->SetPageTable(kComNumItemTable, table.data(), comnum::kHostTableSlots);
        page->SetPageList(kComNumItemReserved, kReservedNames, static_cast<int>(std::size(kReservedNames)));
        page->SetPageInt(kComNumItemMode, kComNumValueMode);
    }
    if (pages.numRef) {
        const int count = referenceCount();
        std::vector<unsigned char> entries(static_cast<std::size_t>(count * comnumref::kEntryBytes), 0);
        for (int i = 0; i < count; ++i) readReference(i, entries.data() + i * comnumref::kEntryBytes);
        pages.numRef->SetPageTable(kComNumItemTable, entries.data(), count);
    }
}

void applyNumeric(const UserOpPages& pages, CUserOpApplyLog& log)
{
    if (CUserOpPage* page = pages.at(kSlotNumeric)) {
        std::vector<unsigned char> table(kComNumTableBytes, 0);
        if (page->GetPageTable(kComNumItemTable, table.data(), comnum::kHostTableSlots))
            log.check("aatComNumUsInfo", hostapi::aatComNumUsInfo(kWrite, table.data()));
    }
    if (!pages.numRef) return;
    const int count = referenceCount();
    std::vector<unsigned char> entries(static_cast<std::size_t>(count * comnumref::kEntryBytes), 0);
    if (count == 0 || !pages.numRef->GetPageTable(kComNumItemTable, entries.data(), count)) return;
    for (int i = 0; i < count; ++i) {
        const unsigned char* entry = entries.data() + i * comnumref::kEntryBytes;
        const char* name = reinterpret_cast<const char*>(entry + comnumref::kCaptionBytes);
        const double value = mobr::bytes::get<double>(entry, comnumref::kCaptionBytes + comnumref::kNameBytes);
        log.check("aatComNumSetPara", hostapi::aatComNumSetPara(name, value));
    }
}

void applyColours(const UserOpPages& pages, CUserOpApplyLog& log)
{
    using namespace hostapi;
    const auto* page = dynamic_cast<const CUserOp09*>(pages.at(kSlotColours));
    if (!page || page->colours().empty()) return;
    const std::vector<CSysColorData>& colours = page->colours();
    void* info = aatSysGetColInfo();
    const int systemCount = std::min(static_cast<int>(colours.size()), kMaxSystemColours);
    for (int i = 0; i < systemCount; ++i) {
        const CSysColorData& c = colours[static_cast<std::size_t>(i)];
        if (!c.changed) continue;
        if (c.index == aatColGetIndex(kColourKeepsFrameWith))
            log.check("aatSysColSetRGB", aatSysColSetRGB(info, aatColGetIndex(kColourFrameTwin), c.red(), c.green(), c.blue()));
        log.check("aatSysColSetRGB", aatSysColSetRGB(info, c.index, c.red(), c.green(), c.blue()));
    }
    for (int k = 1; k <= CUserOp09::kSketchColours; ++k) {
        const std::size_t at = static_cast<std::size_t>(systemCount + k - 1);
        if (at >= colours.size() || !colours[at].changed) continue;
        log.check("aatSysSetSktColor", aatSysSetSktColor(k, colours[at].red(), colours[at].green(), colours[at].blue()));
    }
    aatSysColRestore();
}

std::vector<unsigned char> readSketch()
{
    using namespace hostapi;
    namespace b = sketchblock;
    std::vector<unsigned char> block(b::kBytes, 0);
    int32_t small = 0, large = 0, snap = 0, shown = 0;
    double pitchX = 0, pitchY = 0, originX = 0, originY = 0;
    mobr::bytes::put<int32_t>(block.data(), b::kLimitDots, aatSysGetSktLimitDots());
    aatSysGetSktCharSize(&small, &large);
    mobr::bytes::put<int32_t>(block.data(), b::kCharSmall, small);
    mobr::bytes::put<int32_t>(block.data(), b::kCharLarge, large);
    mobr::bytes::put<int32_t>(block.data(), b::kDimDigits, aatSysGetSktDimValueDigits());
    mobr::bytes::put<int32_t>(block.data(), b::kRubberValue, aatSysGetSktDispRubValue());
    aatSysGetSktGrid(&pitchX, &pitchY, &originX, &originY, &snap, &shown);
    mobr::bytes::put<int32_t>(block.data(), b::kGridShown, shown);
    mobr::bytes::put<int32_t>(block.data(), b::kGridSnap, snap);
    mobr::bytes::put<double>(block.data(), b::kPitchX, pitchX);
    mobr::bytes::put<double>(block.data(), b::kPitchY, pitchY);
    mobr::bytes::put<double>(block.data(), b::kOriginX, originX);
    mobr::bytes::put<double>(block.data(), b::kOriginY, originY);
    mobr::bytes::put<int32_t>(block.data(), b::kTip, aatSysGetSktTip());
    return block;
}

void applySketch(const UserOpPages& pages, CUserOpApplyLog& log)
{
    using namespace hostapi;
    namespace b = sketchblock;
    CUserOpPage* page = pages.at(kSlotSketch);
    std::vector<unsigned char> block(b::kBytes, 0);
    if (!page || !page->GetPageData(CUserOpPage::kItemBlock, block.data(), b::kBytes)) return;
    const unsigned char* v = block.data();
    auto i32 = [v](int offset) { return mobr::bytes::i32(v, offset); };
    auto f64 = [v](int offset) { return mobr::bytes::get<double>(v, offset); };
    log.check("aatSysSetSktLimitDots", aatSysSetSktLimitDots(i32(b::kLimitDots)));
    log.check("aatSysSetSktCharSize", aatSysSetSktCharSize(i32(b::kCharSmall), i32(b::kCharLarge)));
    log.check("aatSysSetSktDimValueDigits", aatSysSetSktDimValueDigits(i32(b::kDimDigits)));
    log.check("aatSysSetSktDispRubValue", aatSysSetSktDispRubValue(i32(b::kRubberValue)));
    log.check("aatSysSetSktGrid", aatSysSetSktGrid(f64(b::kPitchX), f64(b::kPitchY), f64(b::kOriginX),
                                                   f64(b::kOriginY), i32(b::kGridSnap), i32(b::kGridShown)));
    log.check("aatSysSetSktTip", aatSysSetSktTip(i32(b::kTip)));
    aatSysSktInfFlush();
}

}  // namespace

// ---- Load and apply ---------------------------------------------------------------

int LoadUserOpValues(const UserOpPages& pages)
{
    OptionValues values;
    readHost(values);
    for (const BlockLayout& layout : blockLayouts()) {
        if (CUserOpPage* page = pages.at(layout.slot)) {
            const std::vector<unsigned char> block = buildBlock(layout, values);
            page->SetPageData(CUserOpPage::kItemBlock, reinterpret_cast<std::intptr_t>(block.data()));
        }
    }
    loadNumeric(pages);
    if (CUserOpPage* sketch = pages.at(kSlotSketch)) {
        const std::vector<unsigned char> block = readSketch();
        sketch->SetPageData(CUserOpPage::kItemBlock, reinterpret_cast<std::intptr_t>(block.data()));
    }
    return 0;
}

int ApplyUserOpValues(const UserOpPages& pages, CUserOpApplyLog& log)
{
    using namespace hostapi;
    OptionValues values;
    values.atr.read();
    aatSysInfSymb(kRead, values.symbol.data());
    aatSysInfFlags(kRead, values.flags.data());
    values.flagA = mobr::bytes::i16(values.flags.data(), kFlagAOffset);
    values.flagB = mobr::bytes::i16(values.flags.data(), kFlagBOffset);

    std::array<bool, kSlotCount + 1> given{};
    given[kSlotCount] = true;  // writes that belong to no page
    for (const BlockLayout& layout : blockLayouts()) {
        CUserOpPage* page = pages.at(layout.slot);
        std::vector<unsigned char> block(static_cast<std::size_t>(layout.bytes), 0);
        if (!page || !page->GetPageData(CUserOpPage::kItemBlock, block.data(), layout.bytes)) continue;
        takeBlock(layout, block, values);
        given[layout.slot] = true;
    }
    applyColours(pages, log);

    mobr::bytes::put<int16_t>(values.flags.data(), kFlagAOffset, static_cast<int16_t>(values.flagA));
    mobr::bytes::put<int16_t>(values.flags.data(), kFlagBOffset, static_cast<int16_t>(values.flagB));
    log.check("aatSysInfFlags", aatSysInfFlags(kWrite, values.flags.data()));
    log.check("aatSysInfAtrMode", values.atr.write());
    renameRecentFiles();
    for (const ValueWrite& w : valueWrites()) {
        if (given[w.page]) log.check(w.name, w.write(values));
    }
    applyNumeric(pages, log);
    applySketch(pages, log);
    aatDrwAllView();
    aatAtrUpdate_All();
    return 0;
}
