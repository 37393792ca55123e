#include "options/UserOpValues.h"

#include <cstring>
#include <functional>
#include <vector>

#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobr/host_types.h"
#include "optionpages/CUserOpPage.h"
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
    // The numeric parameter, reference parameter and sketch pages take their
    // values here too once they are part of the dialog.
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

    mobr::bytes::put<int16_t>(values.flags.data(), kFlagAOffset, static_cast<int16_t>(values.flagA));
    mobr::bytes::put<int16_t>(values.flags.data(), kFlagBOffset, static_cast<int16_t>(values.flagB));
    log.check("aatSysInfFlags", aatSysInfFlags(kWrite, values.flags.data()));
    log.check("aatSysInfAtrMode", values.atr.write());
    renameRecentFiles();
    for (const ValueWrite& w : valueWrites()) {
        if (given[w.page]) log.check(w.name, w.write(values));
    }
    aatDrwAllView();
    aatAtrUpdate_All();
    return 0;
}
