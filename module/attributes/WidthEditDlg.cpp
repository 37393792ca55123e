#include "attributes/WidthEditDlg.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "mobrcctl/SpinEdit.h"

namespace {

// Captions 7056 (new) and 7057 (modify), help topic 459, name messages
// 7245 (blank), 7250 (too long), 7251 (forbidden character), 7252 (taken).
constexpr CAttributeEditDlg::Texts kTexts{7056, 7057, 459, {7245, 7250, 7251, 7252}};
constexpr int kMsgWidth = 7253;
constexpr int kMsgPlotPen = 7254;

constexpr double kWidthTolerance = 2.220446049250313e-15;
constexpr double kWidthStep = 0.01;
constexpr double kDefaultWidth = 0.25;
constexpr int kSpinPartOffset = 1000;
constexpr const char* kWidthFormat = "%.2lf";

std::string widthText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, kWidthFormat, value);
    return text;
}

}  // namespace

CWidthEditDlg::CWidthEditDlg(void* widths, int entry, Mode mode, QWidget* parent)
    : CAttributeEditDlg("IDD_S_011", kTexts, &hostapi::aatWidFindName, widths, entry, mode, parent)
{
}

CWidthEditDlg::~CWidthEditDlg() = default;

void CWidthEditDlg::initFields()
{
    double width = kDefaultWidth;
    int pen = kMinPlotPen;
    if (entry() > 0) {
        char name[mobr::kHostNameBufferBytes] = {};
        hostapi::aatWidGetName(table(), entry(), name);
        SetDlgItemText(kNameEdit, name);
        width = hostapi::aatWidGetWidth(table(), entry());
        pen = hostapi::aatWidGetPlotPen(table(), entry());
    }
    // Values from the host are brought into the fields' ranges.
    shownWidth_ = std::clamp(width, kMinWidth, kMaxWidth);
    widthSpin_ = std::make_unique<CSpinEdit>(kMinWidth, kMaxWidth, kWidthStep, shownWidth_);
    widthSpin_->SetFormatString(kWidthFormat);
    widthSpin_->SubclassSpinEdit(kWidthEdit, kWidthEdit + kSpinPartOffset, this);
    penSpin_ = std::make_unique<CSpinEdit>(kMinPlotPen, kMaxPlotPen, 1, std::clamp(pen, kMinPlotPen, kMaxPlotPen));
    penSpin_->SubclassSpinEdit(kPlotPenEdit, kPlotPenEdit + kSpinPartOffset, this);
}

bool CWidthEditDlg::takeFields()
{
    const std::string text = GetDlgItemText(kWidthEdit);
    double width = 0.0;
    if (text == widthText(shownWidth_)) {
        width = shownWidth_;  // left alone: keeps its exact value
    } else if (!check_.StringCheck(text, -1, &width)) {
        return refuse(kMsgWidth, kWidthEdit);
    }
    if (!(width >= kMinWidth - kWidthTolerance && width <= kMaxWidth + kWidthTolerance)) {
        return refuse(kMsgWidth, kWidthEdit);
    }
    int pen = 0;
    if (!check_.StringCheck(GetDlgItemText(kPlotPenEdit), 0, &pen) || pen < kMinPlotPen || pen > kMaxPlotPen) {
        return refuse(kMsgPlotPen, kPlotPenEdit);
    }
    width_ = width;
    plotPen_ = pen;
    return true;
}
