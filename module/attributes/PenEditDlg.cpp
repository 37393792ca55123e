#include "attributes/PenEditDlg.h"

#include <cmath>
#include <cstdio>
#include <algorithm>

#include "attributes/AttributeNameCheck.h"
#include "attributes/PenRules.h"
#include "frame/HostApi.h"
#include "mobrcctl/SpinEdit.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"

namespace {

using penrules::kAssistStyle;
using penrules::kMaskBits;
using penrules::kSolidStyle;
using penrules::kStyleCount;

constexpr int kMsgNameBlank = 7241;
constexpr int kMsgNameTooLong = 7242;
constexpr int kMsgNameForbiddenChar = 7243;
constexpr int kMsgNameUsed = 7244;
constexpr int kMsgWidthUnknown = 7245;
constexpr int kMsgPairCount = 7246;
constexpr int kMsgPitchWithSolid = 7247;
constexpr int kMsgPitchLength = 7248;
constexpr int kMsgPlotStyle = 7249;

constexpr double kMinLength = 0.1;
constexpr double kMaxLength = 200.0;
constexpr double kLengthTolerance = 2.220446049250313e-15;
constexpr double kDefaultLength = 1.0;

std::string lengthText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1lf", value);
    return text;
}

int boxOf(int bitIndex) { return CPenEditDlg::kMaskBox1 + bitIndex; }

}  // namespace

CPenEditDlg::CPenEditDlg(const Copies& copies, int pen, Mode mode, QWidget* parent)
    : CZqLinkDialog("IDD_S_010", {}, parent), copies_(copies), pen_(pen), mode_(mode)
{
    check_.SetMsgBox(0);
}

CPenEditDlg::~CPenEditDlg() = default;

// ---- Opening ------------------------------------------------------------------

bool CPenEditDlg::OnInitDialog()
{
    setWindowTitle(ZqGetQString(mode_ == Mode::New ? kCaptionNew : kCaptionModify));
    readPen();
    fillLists();

    pairSpin_ = std::make_unique<CSpinEdit>(0, kMaxPairs, 1, 0);
    pairSpin_->SubclassSpinEdit(kPairCount, this);
    for (int i = 0; i < kLengthCount; ++i) {
        lengthSpins_[i] = std::make_unique<CSpinEdit>(kMinLength, kMaxLength, 0.1, kDefaultLength);
        lengthSpins_[i]->SetFormatString("%.1lf");
        lengthSpins_[i]->SubclassSpinEdit(kFirstLength + i, this);
        if (i < static_cast<int>(penPitch_.size())) lengthSpins_[i]->SetCurrentPosition(penPitch_[i]);
    }
    const int pairs = static_cast<int>(penPitch_.size()) / 2;
    pairSpin_->SetCurrentPosition(pairs);
    showPitch(pairs);

    for (int i = 0; i < 3; ++i) CheckDlgButton(boxOf(i), (penMask_ & kMaskBits[i]) == 0);
    applyOpeningRules();
    updateStyleBox();
    SetFocusTo(kNameEdit);
    return true;
}

void CPenEditDlg::readPen()
{
    penPitch_.clear();
    if (pen_ <= 0) return;  // a new pen without a model: defaults
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatPenGetName(copies_.pens, pen_, name);
    SetDlgItemText(kNameEdit, name);
    penStyle_ = hostapi::aatPenGetPlotStyle(copies_.pens, pen_);
    penMask_ = hostapi::aatPenGetMask(copies_.pens, pen_);
    if (penMask_ < 0) penMask_ = 0;
    double values[kLengthCount] = {};
    const int count = hostapi::aatPenGetPitch(copies_.pens, pen_, values, kLengthCount);
    // Whole pairs only: an odd count loses its last length.
    const int pairs = count > 0 ? std::min(count, kLengthCount) / 2 : 0;
    penPitch_.assign(values, values + 2 * pairs);
}

void CPenEditDlg::fillLists()
{
    ResetContent(kWidthList);
    const int widths = hostapi::aatWidGetCount(copies_.widths);
    for (int i = 1; i <= widths; ++i) {
        char name[mobr::kHostNameBufferBytes] = {};
        hostapi::aatWidGetName(copies_.widths, i, name);
        AddString(kWidthList, name);
    }
    const int width = pen_ > 0 ? hostapi::aatPenGetWidth(copies_.pens, pen_) : 1;
    SetCurSel(kWidthList, width >= 1 && width <= widths ? width - 1 : (widths > 0 ? 0 : -1));

    ResetContent(kStyleList);
    for (int i = 0; i < kStyleCount; ++i) AddString(kStyleList, GetString(kFirstStyleName + i));
    SetCurSel(kStyleList, penStyle_ >= 1 && penStyle_ <= kStyleCount ? penStyle_ - 1 : 0);

    ResetContent(kColourList);
    AddString(kColourList, GetString(kNoColourName));
    const int colours = hostapi::aatColGetCount(copies_.colours);
    for (int i = 1; i <= colours; ++i) {
        char name[mobr::kHostNameBufferBytes] = {};
        hostapi::aatColGetName(copies_.colours, i, name);
        AddString(kColourList, name);
    }
    const int colour =
        pen_ > 0 && copies_.penColours ? hostapi::aatPenExGetColor(copies_.penColours, copies_.pens, pen_) : 0;
    SetCurSel(kColourList, colour >= 1 && colour <= colours ? colour : 0);
}

bool CPenEditDlg::lastOfItsKindOrInUse() const
{
    return pen_ > 0 && (penrules::inUse(copies_.pens, pen_) || penrules::lastOfItsKind(copies_.pens, pen_));
}

void CPenEditDlg::applyOpeningRules()
{
    if (penStyle_ == kSolidStyle && mode_ == Mode::Modify) {
        // The figure keeps at least one solid pen with each mask bit clear:
        // the last one may not set it, nor leave plot style 1. A new pen
        // seeded from that pen guards nothing: the seed keeps its guard.
        bool locked = false;
        for (int i = 0; i < 3; ++i) {
            if (!penrules::onlySolidWithBitClear(copies_.pens, pen_, kMaskBits[i])) continue;
            EnableItem(boxOf(i), false);
            if (i == 2) box4Locked_ = true;
            locked = true;
        }
        if (locked) EnableItem(kStyleList, false);
    }
    if (mode_ != Mode::Modify || !lastOfItsKindOrInUse()) return;
    if (penStyle_ == kAssistStyle) {
        EnableItem(kStyleList, false);
    } else if (penStyle_ == kSolidStyle) {
        EnableItem(kStyleList, false);
        pairSpin_->SetWindowState(0);
    } else {
        // The last pen of the other styles may not become an assist line.
        const int selection = GetCurSel(kStyleList);
        ResetContent(kStyleList);
        for (int i = 0; i < kStyleCount - 1; ++i) AddString(kStyleList, GetString(kFirstStyleName + i));
        SetCurSel(kStyleList, selection < kStyleCount - 1 ? selection : -1);
        styleSixRemoved_ = true;
    }
}

// ---- Changes ------------------------------------------------------------------

int CPenEditDlg::chosenStyle() const
{
    const int index = GetCurSel(kStyleList);
    return index >= 0 ? index + 1 : 0;
}

void CPenEditDlg::updateStyleBox()
{
    if (chosenStyle() != kSolidStyle) {
        CheckDlgButton(kMaskBox4, false);
        EnableItem(kMaskBox4, false);
        return;
    }
    EnableItem(kMaskBox4, !box4Locked_);
    if (!IsDlgButtonChecked(kMaskBox4)) CheckDlgButton(kMaskBox4, (penMask_ & 0x4) == 0);
}

void CPenEditDlg::showPitch(int pairs)
{
    for (int i = 0; i < kLengthCount; ++i) lengthSpins_[i]->SetWindowState(i < 2 * pairs ? 1 : 0);
}

void CPenEditDlg::OnSelChange(int id)
{
    if (id == kStyleList) updateStyleBox();
}

void CPenEditDlg::OnEditChange(int id)
{
    if (id != kPairCount || !lengthSpins_[0]) return;
    int pairs = 0;
    if (check_.StringCheck(GetDlgItemText(kPairCount), 1, &pairs) && pairs >= 0 && pairs <= kMaxPairs) {
        showPitch(pairs);
    }
}

void CPenEditDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}

// ---- OK -------------------------------------------------------------------------

bool CPenEditDlg::refuse(int id, int field, const char* argument)
{
    ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, id, argument);
    CDlgDataCheck::focusField(GetDlgItem(field));
    return false;
}

bool CPenEditDlg::checkName()
{
    static constexpr CAttributeNameCheck::Messages kMessages{kMsgNameBlank, kMsgNameTooLong, kMsgNameForbiddenChar,
                                                             kMsgNameUsed};
    const CAttributeNameCheck names(kMessages,
                                    [this](const char* name) { return hostapi::aatPenFindName(copies_.pens, name); });
    // In new mode the seeding pen's own name is taken as well.
    return names.check(*this, kNameEdit, mode_ == Mode::New ? 0 : pen_, name_);
}

bool CPenEditDlg::checkPitch(int* pairs)
{
    int count = 0;
    if (!check_.StringCheck(GetDlgItemText(kPairCount), 1, &count) || count < 0 || count > kMaxPairs) {
        return refuse(kMsgPairCount, kPairCount);
    }
    if (count > 0 && chosenStyle() == kSolidStyle) return refuse(kMsgPitchWithSolid, kPairCount);
    pitch_.clear();
    for (int i = 0; i < 2 * count; ++i) {
        const int id = kFirstLength + i;
        const std::string text = GetDlgItemText(id);
        // A length the user left alone keeps its exact value: the field shows
        // it to one decimal only.
        double value = 0.0;
        if (i < static_cast<int>(penPitch_.size()) && text == lengthText(penPitch_[i])) {
            value = penPitch_[i];
        } else if (!check_.StringCheck(text, -1, &value)) {
            return refuse(kMsgPitchLength, id);
        }
        if (!(value >= kMinLength - kLengthTolerance && value <= kMaxLength + kLengthTolerance)) {
            return refuse(kMsgPitchLength, id);
        }
        pitch_.push_back(value);
    }
    *pairs = count;
    return true;
}

void CPenEditDlg::OnOK()
{
    if (!checkName()) return;

    const std::string widthName = GetDlgItemText(kWidthList);
    const int width = widthName.empty() ? -1 : hostapi::aatWidFindName(copies_.widths, widthName.c_str());
    if (width < 1) {
        refuse(kMsgWidthUnknown, kWidthList);
        return;
    }
    int pairs = 0;
    if (!checkPitch(&pairs)) return;
    const int style = chosenStyle();
    if (style < 1 || style > GetCount(kStyleList)) {
        refuse(kMsgPlotStyle, kStyleList);
        return;
    }

    width_ = width;
    plotStyle_ = style;
    const int colourIndex = GetCurSel(kColourList);
    colour_ = 0;
    if (colourIndex > 0) {
        const int found = hostapi::aatColFindName(copies_.colours, GetItemText(kColourList, colourIndex).c_str());
        colour_ = found > 0 ? found : 0;
    }
    mask_ = 0;
    for (int i = 0; i < 3; ++i) {
        if (IsItemEnabled(boxOf(i)) && !IsDlgButtonChecked(boxOf(i))) mask_ |= kMaskBits[i];
    }
    EndDialog(ZQ_RESULT_OK);
}
