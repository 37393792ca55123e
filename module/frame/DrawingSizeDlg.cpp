#include "frame/DrawingSizeDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>

#include "frame/HostApi.h"
#include "mobrcctl/CCE.h"
#include "mobrdlg/ZqResources.h"
#include "platform/CodePage.h"

namespace {

constexpr double kMinResult = 0.01;
constexpr double kMaxResult = 1e13;
constexpr double kMaxHandedIn = 1e14;
constexpr double kMinScale = 0.001;
constexpr double kMaxScale = 99999999.0;
constexpr int kScaleDecimals = 3;
constexpr int kSizeDecimals = 2;
constexpr int kSizeMaxChars = 18;
constexpr int kScaleMaxChars = 12;

struct StandardSize {
    double width;
    double height;
};
constexpr StandardSize kStandardSizes[CDrawingSizeDlg::kPaperCount] = {
    {1189.0, 841.0}, {841.0, 594.0}, {594.0, 420.0}, {420.0, 297.0},
    {297.0, 210.0},  {210.0, 297.0}, {0.0, 0.0},
};

std::string format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string sizeText(double value) { return format("%.2lf", value); }

double clampResult(double value) { return std::clamp(value, kMinResult, kMaxResult); }

}  // namespace

CDrawingSizeDlg::CDrawingSizeDlg(QWidget* parent) : CZqDialog("IDD_S_001", parent)
{
    for (int i = 0; i < kPaperCount; ++i) {
        papers_[i].name[0] = '\0';
        papers_[i].width = kStandardSizes[i].width;
        papers_[i].height = kStandardSizes[i].height;
    }
    check_.SetMsgBox(0);
}

CDrawingSizeDlg::~CDrawingSizeDlg() = default;

// ---- Data link ----------------------------------------------------------

int CDrawingSizeDlg::SetPageInt(int item, int value)
{
    if (item != kItemPaperIndex || value < 0 || value >= kPaperCount) return 0;
    paperIndex_ = value;
    resultIndex_ = value;
    return 1;
}

int CDrawingSizeDlg::SetPageDouble(int item, double value)
{
    if (item != kItemResultWidth && item != kItemResultHeight) return 0;
    // A NaN handed in would defeat every later comparison: take the minimum.
    const double size = value == value ? std::clamp(value, kMinResult, kMaxHandedIn) : kMinResult;
    if (item == kItemResultWidth) {
        resultWidth_ = size;
    } else {
        resultHeight_ = size;
    }
    if (GetDlgItem(kResultWidth)) showResults();
    return 1;
}

int CDrawingSizeDlg::GetPageInt(int item, int* value)
{
    if (item != kItemPaperIndex || !value) return 0;
    *value = resultIndex_;
    return 1;
}

int CDrawingSizeDlg::GetPageDouble(int item, double* value)
{
    if (!value) return 0;
    if (item == kItemResultWidth) {
        *value = resultWidth_;
    } else if (item == kItemResultHeight) {
        *value = resultHeight_;
    } else {
        return 0;
    }
    return 1;
}

int CDrawingSizeDlg::RunDialog(int* result)
{
    int modal = ZQ_RESULT_NOT_CREATED;
    try {
        modal = DoModal();
    } catch (const std::exception& error) {
        // A host failure inside the dialog ends it as "could not be shown".
        std::fprintf(stderr, "IDD_S_001: %s\n", error.what());
    }
    if (result) *result = modal;
    return (modal == ZQ_RESULT_NOT_CREATED || modal == ZQ_RESULT_CLOSED_OPENING) ? 0 : 1;
}

void* CDrawingSizeDlg::GetPageWindow()
{
    return static_cast<QWidget*>(this);
}

// ---- Opening --------------------------------------------------------------

bool CDrawingSizeDlg::loadPaperNames()
{
    for (int i = 0; i < kPaperCount; ++i) {
        std::string name;
        if (!ZqLoadString(kFirstPaperString + i, name)) return false;
        mobr::cp932::copyToBuffer(name, papers_[i].name, sizeof papers_[i].name);
    }
    return true;
}

void CDrawingSizeDlg::fillPaperList()
{
    ResetContent(kPaperList);
    for (int i = 0; i < kPaperCount; ++i) {
        char line[96];
        if (i == kFreeSizeIndex) {
            std::snprintf(line, sizeof line, "%s", papers_[i].name);
        } else {
            std::snprintf(line, sizeof line, "%s (%6.1lf x %5.1lf)", papers_[i].name, papers_[i].width,
                          papers_[i].height);
        }
        AddString(kPaperList, line);
    }
    SetCurSel(kPaperList, paperIndex_);
}

bool CDrawingSizeDlg::OnInitDialog()
{
    if (!loadPaperNames()) {
        EndDialog(ZQ_RESULT_CLOSED_OPENING);
        return false;
    }
    widthEdit_ = std::make_unique<CCE>();
    heightEdit_ = std::make_unique<CCE>();
    scaleEdit_ = std::make_unique<CCE>();
    for (auto* edit : {widthEdit_.get(), heightEdit_.get()}) {
        edit->SubclassCCE(edit == widthEdit_.get() ? kInputWidth : kInputHeight, this, CCE_KIND_UNSIGNED_REAL);
        edit->SetMinMaxData(0.0, kMaxResult);
        edit->SetAvailDec(kSizeDecimals);
        edit->SetInpMax(kSizeMaxChars);
    }
    scaleEdit_->SubclassCCE(kScaleEdit, this, CCE_KIND_UNSIGNED_REAL);
    scaleEdit_->SetMinMaxData(kMinScale, kMaxScale);
    scaleEdit_->SetAvailDec(kScaleDecimals);
    scaleEdit_->SetInpMax(kScaleMaxChars);

    inputWidth_ = resultWidth_;
    inputHeight_ = resultHeight_;
    showResults();
    SetDlgItemText(kInputWidth, GetDlgItemText(kResultWidth));
    SetDlgItemText(kInputHeight, GetDlgItemText(kResultHeight));
    mode_ = 0;
    CheckRadioButton(kModeSize, kModeBoth, kModeSize);

    fillPaperList();
    setScaleText(1.0);
    setInputEditable(paperIndex_ == kFreeSizeIndex);

    startWidth_ = resultWidth_;
    startHeight_ = resultHeight_;
    SetDlgItemText(kStartWidth, sizeText(startWidth_));
    SetDlgItemText(kStartHeight, sizeText(startHeight_));
    baseWidth_ = inputWidth_;
    baseHeight_ = inputHeight_;
    recompute(Changed::None);
    return true;
}

// ---- Recomputing ------------------------------------------------------------

void CDrawingSizeDlg::setScaleText(double scale)
{
    scale_ = scale;
    SetDlgItemText(kScaleEdit, format("%.3lf", scale));
}

void CDrawingSizeDlg::setInputEditable(bool editable)
{
    for (int id : {kInputWidth, kInputHeight}) {
        SetReadOnly(id, !editable);
        SetTabStop(id, editable);
    }
}

void CDrawingSizeDlg::showResults()
{
    SetDlgItemText(kResultWidth, sizeText(resultWidth_));
    SetDlgItemText(kResultHeight, sizeText(resultHeight_));
}

void CDrawingSizeDlg::recompute(Changed changed)
{
    const bool width = changed != Changed::Height;
    const bool height = changed != Changed::Width;
    if (width) baseWidth_ = startWidth_;
    if (height) baseHeight_ = startHeight_;

    const bool sizeEnabled = mode_ != 1;
    const bool scaleEnabled = mode_ != 0;
    EnableItem(kInputWidth, sizeEnabled);
    EnableItem(kInputHeight, sizeEnabled);
    EnableItem(kScaleEdit, scaleEnabled);

    auto result = [&](double input, double start, double& base) {
        switch (mode_) {
        case 0:
            return input;
        case 1:
            return start * scale_;
        default:
            base = input;
            return input * scale_;
        }
    };
    if (width) resultWidth_ = clampResult(result(inputWidth_, startWidth_, baseWidth_));
    if (height) resultHeight_ = clampResult(result(inputHeight_, startHeight_, baseHeight_));
    showResults();
}

void CDrawingSizeDlg::applyPaper(int index)
{
    paperIndex_ = index;
    if (mode_ == 0) setScaleText(1.0);
    if (index == kFreeSizeIndex) {
        setInputEditable(true);
        return;
    }
    inputWidth_ = papers_[index].width * scale_;
    inputHeight_ = papers_[index].height * scale_;
    SetDlgItemText(kInputWidth, sizeText(inputWidth_));
    SetDlgItemText(kInputHeight, sizeText(inputHeight_));
    recompute(Changed::None);
    setInputEditable(false);
}

void CDrawingSizeDlg::applyScale()
{
    resultWidth_ = clampResult(baseWidth_ * scale_);
    resultHeight_ = clampResult(baseHeight_ * scale_);
    showResults();
}

// ---- Field checks ------------------------------------------------------------

bool CDrawingSizeDlg::refuseField(int id)
{
    QWidget* field = GetDlgItem(id);
    check_.DataCheckMsgBoxEx(check_.GetLastErrMsg(), field);
    CDlgDataCheck::focusField(field);
    return false;
}

bool CDrawingSizeDlg::validateScale()
{
    double scale = 0.0;
    const std::string text = GetDlgItemText(kScaleEdit);
    if (!check_.StringCheck(text, kScaleDecimals, &scale) || !check_.CheckData(scale, kMinScale, kMaxScale)) {
        return refuseField(kScaleEdit);
    }
    scale_ = scale;
    return true;
}

bool CDrawingSizeDlg::validateSize(int id)
{
    double& input = id == kInputWidth ? inputWidth_ : inputHeight_;
    const std::string text = GetDlgItemText(id);
    // A field the user did not change keeps its exact value: its text shows
    // it rounded to two decimals, and reading that back would lose the rest.
    double size = input;
    if (text != sizeText(input) && !check_.StringCheck(text, -1, &size)) return refuseField(id);
    if (!check_.CheckData(size, kMinResult, kMaxResult)) return refuseField(id);
    input = size;
    recompute(id == kInputWidth ? Changed::Width : Changed::Height);
    return true;
}

// ---- Handlers ------------------------------------------------------------------

bool CDrawingSizeDlg::OnCommand(int id)
{
    if (id == kModeSize || id == kModeScale || id == kModeBoth) {
        mode_ = id - kModeSize;
        recompute(Changed::None);
        return true;
    }
    return CZqDialog::OnCommand(id);
}

void CDrawingSizeDlg::OnSelChange(int id)
{
    if (id != kPaperList) return;
    const int index = GetCurSel(kPaperList);
    if (index >= 0 && index < kPaperCount) applyPaper(index);
}

bool CDrawingSizeDlg::OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers & Qt::ShiftModifier;
    if (id == kScaleEdit) {
        switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (validateScale()) applyScale();
            return true;
        case Qt::Key_Tab:
            if (shift) {
                moveFocusUnchecked(true);
            } else if (validateScale()) {
                applyScale();
                moveFocusUnchecked(false);
            }
            return true;
        case Qt::Key_Backtab:
            moveFocusUnchecked(true);
            return true;
        case Qt::Key_Escape:
            OnCancel();
            return true;
        default:
            return false;
        }
    }
    if (id == kInputHeight && key == Qt::Key_Tab && !shift) {
        // Tab from the height moves towards OK, which does not check the
        // field it takes the focus from: check it here.
        if (validateSize(kInputHeight)) moveFocusUnchecked(false);
        return true;
    }
    return false;
}

void CDrawingSizeDlg::moveFocusUnchecked(bool backwards)
{
    // The field was checked already (Tab) or must not be (Shift+Tab).
    focusMoveChecked_ = true;
    NextDlgCtrl(backwards);
    focusMoveChecked_ = false;
}

bool CDrawingSizeDlg::OnKillFocus(int id, int newId)
{
    if (focusMoveChecked_) return true;
    const bool towardsButton = newId == IDOK || newId == IDCANCEL || newId == kHelpButton;
    if (id == kScaleEdit) scaleHadFocusForHelp_ = newId == kHelpButton;
    if (towardsButton) return true;
    switch (id) {
    case kScaleEdit:
        if (!validateScale()) return false;
        applyScale();
        return true;
    case kInputWidth:
    case kInputHeight:
        if (GetDlgItem(id)->isEnabled() && !GetDlgItem(id)->property("readOnly").toBool()) return validateSize(id);
        return true;
    default:
        return true;
    }
}

void CDrawingSizeDlg::OnHelp()
{
    const bool scaleHadFocus = scaleHadFocusForHelp_ || GetFocusId() == kScaleEdit;
    scaleHadFocusForHelp_ = false;
    hostapi::aapRunDlgHelp(kHelpTopic);
    if (scaleHadFocus) SetFocusTo(kScaleEdit);
}

void CDrawingSizeDlg::OnOK()
{
    if (!validateScale() || !validateSize(kInputWidth) || !validateSize(kInputHeight)) return;
    resultIndex_ = findPaperIndex();
    EndDialog(ZQ_RESULT_OK);
}

int CDrawingSizeDlg::findPaperIndex() const
{
    for (int i = 0; i < kPaperCount; ++i) {
        if (papers_[i].width == resultWidth_ && papers_[i].height == resultHeight_) return i;
    }
    return kFreeSizeIndex;
}
