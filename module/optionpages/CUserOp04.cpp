#include "optionpages/CUserOp04.h"

#include <cmath>

#include "mobr/Bytes.h"
#include "options/UserOpValues.h"

namespace {

constexpr double kMinDistance = 0.0001;
constexpr double kMaxDistance = 9999.0;
constexpr double kDistanceDefault = 1.0;
// How a replaced distance is shown.
constexpr const char* kDefaultText = "1.0";

}  // namespace

const std::vector<ZqField>& CUserOp04::fieldTable()
{
    constexpr ZqReceipt keep = ZqReceipt::Keep;
    static const std::vector<ZqField> fields = {
        ZqField::choice(0, kAtr13, 2).withReceipt(keep),
        ZqField::choice(0, kAtr21, 2).withReceipt(keep),
        ZqField::radio(0, kDeleteConfirm, kDeleteConfirm + 1).withReceipt(keep),
        ZqField::choice(0, kAtr3, 2).withReceipt(keep),
        ZqField::choice(0, kAtr20, 2).withReceipt(keep),
        ZqField::radio(0, kAtr25, kAtr25 + 1).withReceipt(keep),
        ZqField::check(0, kDimensionHold).withReceipt(keep),
        ZqField::real(0, kExtensionDistance, kMinDistance, kMaxDistance).withDecimals(8).withFormat("%.2f")
            .withReceipt(ZqReceipt::Replace).withInitial(kDistanceDefault),
        ZqField::choice(0, kAtr30, 2).withReceipt(keep),
        ZqField::choice(0, kAtr31, 2).withReceipt(keep),
    };
    return fields;
}

CUserOp04::CUserOp04() : CUserOpPage("IDD_S_022", kTitle, kHelpTopic, fieldTable()) {}

int CUserOp04::SetPageData(int item, std::intptr_t value)
{
    if (item == kItemBlock && value != 0) {
        const double given = mobr::bytes::get<double>(reinterpret_cast<const void*>(value),
                                                      userop04::kExtensionDistance);
        distanceReplaced_ = !(given >= kMinDistance && given <= kMaxDistance);
    }
    return CUserOpPage::SetPageData(item, value);
}

void CUserOp04::afterShow()
{
    if (distanceReplaced_) SetDlgItemText(kExtensionDistance, kDefaultText);
}

const std::vector<CUserOpPage::BlockSlot>& CUserOp04::blockLayout() const
{
    namespace b = userop04;
    static const std::vector<BlockSlot> layout = {
        {b::kAtr13, kAtr13, false},   {b::kAtr21, kAtr21, false},   {b::kDeleteConfirm, kDeleteConfirm, false},
        {b::kAtr3, kAtr3, false},     {b::kAtr20, kAtr20, false},   {b::kAtr25, kAtr25, false},
        {b::kDimensionHold, kDimensionHold, false}, {b::kExtensionDistance, kExtensionDistance, true},
        {b::kAtr30, kAtr30, false},   {b::kAtr31, kAtr31, false},
    };
    return layout;
}
