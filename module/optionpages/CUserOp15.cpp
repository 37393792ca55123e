#include "optionpages/CUserOp15.h"

#include <algorithm>

#include "mobr/Bytes.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "options/UserOpValues.h"

namespace {

constexpr double kMinOrigin = 0.001;
constexpr double kMaxOrigin = 1000000.0;
// The pitches have no upper end of their own; a number beyond this is no pitch.
constexpr double kMaxPitch = 1.0e12;
constexpr int kOriginControls[2] = {CUserOp15::kOriginX, CUserOp15::kOriginY};
constexpr int kOriginOffsets[2] = {sketchblock::kOriginX, sketchblock::kOriginY};

}  // namespace

const std::vector<ZqField>& CUserOp15::fieldTable()
{
    constexpr ZqReceipt clamp = ZqReceipt::Clamp;
    constexpr ZqReceipt keep = ZqReceipt::Keep;
    auto count = [clamp](int control, int minimum, int maximum) {
        return ZqField::integer(0, control, minimum, maximum).asSpin(1).withReceipt(clamp);
    };
    // Pitches are checked like every other field: a number, not negative.
    auto pitch = [keep](int control) {
        return ZqField::real(0, control, 0.0, kMaxPitch).withFormat("%.6lf").withReceipt(keep);
    };
    auto origin = [clamp](int control) {
        return ZqField::real(0, control, kMinOrigin, kMaxOrigin).withDecimals(3).withFormat("%.3lf").withReceipt(clamp);
    };
    static const std::vector<ZqField> fields = {
        count(kLimitDots, 1, 100),  count(kCharSmall, 1, 100), count(kCharLarge, 1, 100), count(kDimDigits, 0, 6),
        ZqField::check(0, kRubberValue).withReceipt(keep), ZqField::check(0, kGridShown).withReceipt(keep),
        ZqField::check(0, kGridSnap).withReceipt(keep),
        pitch(kPitchX), pitch(kPitchY), origin(kOriginX), origin(kOriginY),
        ZqField::choice(0, kTip, kTipRows).withReceipt(keep),
    };
    return fields;
}

CUserOp15::CUserOp15() : CUserOpPage("IDD_S_027", kTitle, kHelpTopic, fieldTable()) {}

const std::vector<CUserOpPage::BlockSlot>& CUserOp15::blockLayout() const
{
    namespace b = sketchblock;
    static const std::vector<BlockSlot> layout = {
        {b::kLimitDots, kLimitDots, false}, {b::kCharSmall, kCharSmall, false}, {b::kCharLarge, kCharLarge, false},
        {b::kDimDigits, kDimDigits, false}, {b::kRubberValue, kRubberValue, false}, {b::kGridShown, kGridShown, false},
        {b::kGridSnap, kGridSnap, false},   {b::kPitchX, kPitchX, true},         {b::kPitchY, kPitchY, true},
        {b::kOriginX, kOriginX, true},      {b::kOriginY, kOriginY, true},       {b::kTip, kTip, false},
    };
    return layout;
}

int CUserOp15::SetPageData(int item, std::intptr_t value)
{
    if (item == kItemBlock && value != 0) {
        const auto* block = reinterpret_cast<const void*>(value);
        for (int i = 0; i < 2; ++i) givenOrigin_[i] = mobr::bytes::get<double>(block, kOriginOffsets[i]);
        gridTouched_ = false;
    }
    return CUserOpPage::SetPageData(item, value);
}

int CUserOp15::GetPageData(int item, void* buffer, int size)
{
    if (!CUserOpPage::GetPageData(item, buffer, size)) return 0;
    auto* block = static_cast<unsigned char*>(buffer);
    for (int i = 0; i < 2; ++i) {
        const double shown = std::clamp(givenOrigin_[i], kMinOrigin, kMaxOrigin);
        const bool untouched = valueOf(kOriginControls[i]) == shown;
        if (untouched && kOriginOffsets[i] + 8 <= size) mobr::bytes::put<double>(block, kOriginOffsets[i], givenOrigin_[i]);
    }
    // Snapping needs the grid shown: once the user set the switches, a
    // hidden grid gives snapping off.
    if (gridTouched_ && valueOf(kGridShown) != 1.0 && sketchblock::kGridSnap + 4 <= size)
        mobr::bytes::put<int32_t>(block, sketchblock::kGridSnap, 0);
    return 1;
}

void CUserOp15::afterShow()
{
    enableSnap();
}

bool CUserOp15::OnCommand(int id)
{
    if (id == kGridShown || id == kGridSnap) gridTouched_ = true;
    if (id == kGridShown) {
        enableSnap();
        return true;
    }
    return CUserOpPage::OnCommand(id);
}

void CUserOp15::enableSnap()
{
    EnableItem(kGridSnap, IsDlgButtonChecked(kGridShown));
}
