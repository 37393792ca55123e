#include "optionpages/CUserOp03.h"

#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "options/UserOpValues.h"

namespace {

constexpr double kCentreLineDefault = 4.0;

}  // namespace

const std::vector<ZqField>& CUserOp03::fieldTable()
{
    constexpr ZqReceipt keep = ZqReceipt::Keep;
    static const std::vector<ZqField> fields = {
        ZqField::check(0, kAtr16).withReceipt(keep),
        ZqField::choice(0, kMarkKind, 64).withReceipt(keep),
        ZqField::choice(0, kRubberAngle, 4).withReceipt(keep),
        ZqField::radio(0, kAtr2, kAtr2 + 1).withReceipt(keep),
        ZqField::check(0, kAtr15).withReceipt(keep),
        ZqField::radio(0, kFlagB, kFlagB + 1).withReceipt(keep),
        ZqField::radio(0, kFlagA, kFlagA + 1).withReceipt(keep),
        ZqField::radio(0, kSplineMode, kSplineMode + 1).withReceipt(keep),
        ZqField::check(0, kAtr26).withReceipt(keep),
        // Out of range from the block: replaced by 4.0, not brought to an end.
        ZqField::real(0, kCentreLine, 0.01, 9999.99).withDecimals(2).withCheckDigits(8).withFormat("%.2lf")
            .withReceipt(ZqReceipt::Replace).withInitial(kCentreLineDefault),
        ZqField::check(0, kAtr27).withReceipt(keep),
        // Shown as given; the check on leaving the page judges it.
        ZqField::real(0, kArcTolerance, 1e-08, 0.1).withDecimals(8).withFormat("%.8lf").withReceipt(keep),
        ZqField::check(0, kBiArc).withReceipt(keep).displayOnly(),
    };
    return fields;
}

CUserOp03::CUserOp03() : CUserOpPage("IDD_S_021", kTitle, kHelpTopic, fieldTable()) {}

void CUserOp03::fillLists()
{
    ResetContent(kMarkKind);
    const int count = hostapi::aatAtrMakMode1_Count(kMarkClass);
    for (int i = 0; i < count; ++i) {
        char label[mobr::kHostLabelBytes] = {};
        if (hostapi::aatAtrMakMode1_IdxToChr(kMarkClass, i, label) < 0) break;
        label[sizeof label - 1] = '\0';
        AddString(kMarkKind, label);
    }
}

// The bi-arc flag has no control: it is kept as 1 or 0 and given back.
int CUserOp03::SetPageData(int item, std::intptr_t value)
{
    const int taken = CUserOpPage::SetPageData(item, value);
    if (taken) {
        fieldSet().setValueOf(kBiArc, fieldSet().valueOf(kBiArc) != 0.0 ? 1.0 : 0.0);
    }
    return taken;
}

const std::vector<CUserOpPage::BlockSlot>& CUserOp03::blockLayout() const
{
    namespace b = userop03;
    static const std::vector<BlockSlot> layout = {
        {b::kAtr16, kAtr16, false},        {b::kAtr1, kMarkKind, false},
        {b::kRubberAngle, kRubberAngle, false}, {b::kAtr2, kAtr2, false},
        {b::kAtr15, kAtr15, false},        {b::kFlagB, kFlagB, false},
        {b::kFlagA, kFlagA, false},        {b::kSplineMode, kSplineMode, false},
        {b::kAtr26, kAtr26, false},        {b::kCentreLine, kCentreLine, true},
        {b::kAtr27, kAtr27, false},        {b::kArcTolerance, kArcTolerance, true},
        {b::kBiArc, kBiArc, false},
    };
    return layout;
}
