#include "optionpages/CUserOp16.h"

#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "optionpages/OptionBlocks.h"
#include "options/UserOpApplyLog.h"
#include "options/UserOpValues.h"

namespace {

using namespace optionblock;

constexpr int kDimBytes = 184;
constexpr int kValueKindOffset = 88;
constexpr int kDecimalsOffset = 90;
constexpr int kLineOffset = 168;
constexpr int kValueOffset = 178;
constexpr int kFlagsOffset = 180;
constexpr int kExtensionBit = 1;
constexpr int kFrameBit = 2;

// The list of each mark and the attribute-mode slot it shows.
struct MarkSlot {
    int control;
    int slot;
};
constexpr MarkSlot kMarks[] = {{CUserOp16::kEndMark, 7},
                               {CUserOp16::kStartSide, 8},
                               {CUserOp16::kValueSide, 23},
                               {CUserOp16::kTextSide, 24}};

}  // namespace

const std::vector<ZqField>& CUserOp16::fieldTable()
{
    static const std::vector<ZqField> fields = {
        ZqField::choice(0, kValueKind, 3).withReceipt(ZqReceipt::Keep),
        ZqField::integer(0, kDecimals, 0, 5).asSpin(1).withReceipt(ZqReceipt::Clamp),
        ZqField::choice(0, kEndMark, 4).withReceipt(ZqReceipt::Keep),
        ZqField::choice(0, kLayer, 3).withReceipt(ZqReceipt::Keep),
        ZqField::choice(0, kStartSide, 3).withReceipt(ZqReceipt::Keep),
        ZqField::choice(0, kValueSide, 3).withReceipt(ZqReceipt::Keep),
        ZqField::choice(0, kTextSide, 3).withReceipt(ZqReceipt::Keep),
        ZqField::radio(0, kLinePlacement, kLinePlacement + 1),
        ZqField::radio(0, kValuePlacement, kValuePlacement + 1),
        ZqField::check(0, kExtensionLines),
        ZqField::check(0, kValueFrame),
        ZqField::check(0, kFollowDrag),
    };
    return fields;
}

CUserOp16::CUserOp16() : CUserOpPage("IDD_S_031", kTitle, kHelpTopic, fieldTable()) {}

void CUserOp16::readHost()
{
    unsigned char dim[kDimBytes] = {};
    hostapi::aatSysInfCdim(kRead, dim);
    receive(kValueKind, mobr::bytes::i16(dim, kValueKindOffset));
    receive(kDecimals, mobr::bytes::i16(dim, kDecimalsOffset));
    receive(kLinePlacement, mobr::bytes::i16(dim, kLineOffset) > 0 ? 1 : 0);
    receive(kValuePlacement, mobr::bytes::i16(dim, kValueOffset) > 0 ? 1 : 0);
    const int flags = mobr::bytes::i16(dim, kFlagsOffset);
    receive(kExtensionLines, (flags & kExtensionBit) ? 1 : 0);
    receive(kValueFrame, (flags & kFrameBit) ? 1 : 0);
    CAtrModeIndex marks;
    marks.read();
    for (const MarkSlot& m : kMarks) receive(m.control, marks.index(m.slot));
    receive(kLayer, hostapi::aatSysGetDimVaryLay());
    receive(kFollowDrag, hostapi::aatGetMakeDrag() > 0 ? 1 : 0);
}

void CUserOp16::ApplyToHost(CUserOpApplyLog& log)
{
    if (!isInitialised() || !CheckPageData()) return;
    const auto& f = fieldSet();
    auto value = [&f](int control) { return static_cast<int32_t>(f.valueOf(control)); };

    unsigned char dim[kDimBytes] = {};
    hostapi::aatSysInfCdim(kRead, dim);
    CAtrModeIndex marks;
    marks.read();
    mobr::bytes::put<int16_t>(dim, kValueKindOffset, static_cast<int16_t>(value(kValueKind)));
    mobr::bytes::put<int16_t>(dim, kDecimalsOffset, static_cast<int16_t>(value(kDecimals)));
    marks.setIndex(7, value(kEndMark));
    mobr::bytes::put<int16_t>(dim, kLineOffset, static_cast<int16_t>(value(kLinePlacement)));
    mobr::bytes::put<int16_t>(dim, kValueOffset, static_cast<int16_t>(value(kValuePlacement)));
    log.check("aatSysSetDimVaryLay", hostapi::aatSysSetDimVaryLay(value(kLayer)));
    const int flags = (value(kExtensionLines) == 1 ? kExtensionBit : 0) + (value(kValueFrame) == 1 ? kFrameBit : 0);
    mobr::bytes::put<int16_t>(dim, kFlagsOffset, static_cast<int16_t>(flags));
    log.check("aatSetMakeDrag", hostapi::aatSetMakeDrag(value(kFollowDrag) == 1 ? 1 : 0));
    for (const MarkSlot& m : kMarks) marks.setIndex(m.slot, value(m.control));
    log.check("aatSysInfAtrMode", marks.write());
    log.check("aatSysInfCdim", hostapi::aatSysInfCdim(kWrite, dim));
}
