// Drawing: redraw requests, display width, pen and width display modes, the
// character box mode block.

#include <cmath>

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"

namespace mobrhost {

namespace {
// The display's dot pitch in millimetres (96 dots per inch).
constexpr double kDotMillimetres = 25.4 / 96.0;
}  // namespace

int32_t aatDrwAllView()
{
    session().redraw(-1);
    return 0;
}

int32_t aatDrwFigView(short fig)
{
    if (fig < 0) return -1;
    session().redraw(fig);
    return 0;
}

int32_t aatDrwCharBox(int32_t mode, void* block) { return exchangeBlock("aatDrwCharBox", mode, block); }

int32_t aatDrwGetDispWidthDot(int32_t* hundredths, int32_t* setting)
{
    if (!hundredths || !setting) return -1;
    *hundredths = settings().integer("DispWidthHundredths");
    *setting = settings().integer("DispWidthSetting");
    return 0;
}

int32_t aatDrwSetDispWidthDot(int32_t hundredths, int32_t setting)
{
    // 0.01 to 1.5 mm, settings 1 to 3 (the display width list has three entries).
    if (hundredths < 1 || hundredths > 150 || setting < 1 || setting > 3) return -1;
    settings().setNumber("DispWidthHundredths", hundredths);
    settings().setNumber("DispWidthSetting", setting);
    return 0;
}

int32_t aatDrwGetPenMode() { return settings().integer("PenMode"); }
int32_t aatDrwSetPenMode(int32_t on) { return setSwitch("PenMode", on); }
int32_t aatDrwGetWidthMode() { return settings().integer("WidthMode"); }
int32_t aatDrwSetWidthMode(int32_t mode) { return setSwitch("WidthMode", mode); }

int32_t aatDrwGetWidthCount(int32_t widthHundredths)
{
    // With width display off (mode 1) every line is one dot wide. With it
    // on, a width is shown at its size on the display, never thinner than
    // one dot; widths up to the display width setting stay one dot.
    if (widthHundredths <= 0) return 1;
    if (settings().integer("WidthMode") != 0) return 1;
    if (widthHundredths <= settings().integer("DispWidthHundredths")) return 1;
    const double dots = std::round(widthHundredths / 100.0 / kDotMillimetres);
    return dots < 1 ? 1 : static_cast<int32_t>(dots);
}

void registerDrwApi()
{
    MOBR_HOST_IMPLEMENT(aatDrwAllView);
    MOBR_HOST_IMPLEMENT(aatDrwFigView);
    MOBR_HOST_IMPLEMENT(aatDrwCharBox);
    MOBR_HOST_IMPLEMENT(aatDrwGetDispWidthDot);
    MOBR_HOST_IMPLEMENT(aatDrwSetDispWidthDot);
    MOBR_HOST_IMPLEMENT(aatDrwGetPenMode);
    MOBR_HOST_IMPLEMENT(aatDrwSetPenMode);
    MOBR_HOST_IMPLEMENT(aatDrwGetWidthMode);
    MOBR_HOST_IMPLEMENT(aatDrwSetWidthMode);
    MOBR_HOST_IMPLEMENT(aatDrwGetWidthCount);
}

}  // namespace mobrhost
