#include "frame/DrawingSizeDlg.h"

#include <algorithm>
#include <cstdio>

#include "frame/HostApi.h"
#include "mobrcctl/ZqFieldBinder.h"
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

double clampResult(double value) { return std::clamp(value, kMinResult, kMaxResult); }

}  // namespace

const std::vector<ZqField>& CDrawingSizeDlg::fieldTable()
{
    // The paper index is the one the results match (free size when none);
    // the list shows the user's choice, which is the dialog's own.
    auto result = [](int item, int control) {
        return ZqField::real(item, control, kMinResult, kMaxHandedIn)
            .withFormat("%.2lf")
            .withReceipt(ZqReceipt::ClampNanToMinimum)
            .withInitial(kMinResult)
            .displayOnly();
    };
    auto input = [](int control) {
        return ZqField::real(0, control, kMinResult, kMaxResult)
            .withDecimals(kSizeDecimals)
            .withCheckDigits(-1)
            .withFormat("%.2lf")
            .withMaxChars(kSizeMaxChars);
    };
    static const std::vector<ZqField> fields = {
        ZqField::integer(kItemPaperIndex, 0, 0, kPaperCount - 1).withInitial(kFreeSizeIndex),
        result(kItemResultWidth, kResultWidth),
        result(kItemResultHeight, kResultHeight),
        ZqField::real(0, kScaleEdit, kMinScale, kMaxScale)
            .withDecimals(kScaleDecimals)
            .withFormat("%.3lf")
            .withMaxChars(kScaleMaxChars)
            .withInitial(1.0),
        input(kInputWidth),
        input(kInputHeight),
    };
    return fields;
}

CDrawingSizeDlg::CDrawingSizeDlg(QWidget* parent) : CZqLinkDialog("IDD_S_001", fieldTable(), parent)
{
    for (int i = 0; i < kPaperCount; ++i) {
        papers_[i].name[0] = '\0';
        papers_[i].width = kStandardSizes[i].width;
        papers_[i].height = kStandardSizes[i].height;
    }
}

CDrawingSizeDlg::~CDrawingSizeDlg() = default;

double CDrawingSizeDlg::value(int id) const
{
    const ZqField* field = fieldSet().byControl(id);
    return fieldSet().value(field ? *field : *fieldSet().byItem(id));
}

void CDrawingSizeDlg::setValue(int id, double value)
{
    const ZqField* field = fieldSet().byControl(id);
    fieldSet().setValue(field ? *field : *fieldSet().byItem(id), value);
}

// ---- Data link ----------------------------------------------------------

void CDrawingSizeDlg::OnFieldReceived(const ZqField& field)
{
    if (field.item == kItemPaperIndex) {
        paperIndex_ = static_cast<int>(value(kItemPaperIndex));
    } else {
        showResults();
    }
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
    // The inputs start at the size handed in, the scale at 1.
    setValue(kInputWidth, value(kResultWidth));
    setValue(kInputHeight, value(kResultHeight));
    setValue(kScaleEdit, 1.0);
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();
    mode_ = 0;
    CheckRadioButton(kModeSize, kModeBoth, kModeSize);

    fillPaperList();
    setInputEditable(paperIndex_ == kFreeSizeIndex);

    startWidth_ = value(kResultWidth);
    startHeight_ = value(kResultHeight);
    SetDlgItemText(kStartWidth, sizeText(startWidth_));
    SetDlgItemText(kStartHeight, sizeText(startHeight_));
    baseWidth_ = value(kInputWidth);
    baseHeight_ = value(kInputHeight);
    recompute(Changed::None);
    return true;
}

// ---- Recomputing ------------------------------------------------------------

void CDrawingSizeDlg::setInputEditable(bool editable)
{
    for (int id : {kInputWidth, kInputHeight}) {
        SetReadOnly(id, !editable);
        SetTabStop(id, editable);
    }
}

std::string CDrawingSizeDlg::sizeText(double size) const
{
    return CZqFieldSet::shownText(*fieldSet().byControl(kInputWidth), size);
}

void CDrawingSizeDlg::showResults()
{
    // The layout exists from construction: a size handed in shows at once.
    SetDlgItemText(kResultWidth, sizeText(value(kResultWidth)));
    SetDlgItemText(kResultHeight, sizeText(value(kResultHeight)));
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

    const double scale = value(kScaleEdit);
    auto result = [&](double input, double start, double& base) {
        switch (mode_) {
        case 0:
            return input;
        case 1:
            return start * scale;
        default:
            base = input;
            return input * scale;
        }
    };
    if (width) setValue(kResultWidth, clampResult(result(value(kInputWidth), startWidth_, baseWidth_)));
    if (height) setValue(kResultHeight, clampResult(result(value(kInputHeight), startHeight_, baseHeight_)));
    showResults();
}

void CDrawingSizeDlg::applyPaper(int index)
{
    paperIndex_ = index;
    if (mode_ == 0) binder_->set(kScaleEdit, 1.0);
    if (index == kFreeSizeIndex) {
        setInputEditable(true);
        return;
    }
    const double scale = value(kScaleEdit);
    binder_->set(kInputWidth, papers_[index].width * scale);
    binder_->set(kInputHeight, papers_[index].height * scale);
    recompute(Changed::None);
    setInputEditable(false);
}

void CDrawingSizeDlg::applyScale()
{
    setValue(kResultWidth, clampResult(baseWidth_ * value(kScaleEdit)));
    setValue(kResultHeight, clampResult(baseHeight_ * value(kScaleEdit)));
    showResults();
}

// ---- Field checks ------------------------------------------------------------

bool CDrawingSizeDlg::validateScale()
{
    return binder_->check(kScaleEdit);
}

bool CDrawingSizeDlg::validateSize(int id)
{
    if (!binder_->check(id)) return false;
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
    setValue(kItemPaperIndex, findPaperIndex());
    EndDialog(ZQ_RESULT_OK);
}

int CDrawingSizeDlg::findPaperIndex() const
{
    for (int i = 0; i < kPaperCount; ++i) {
        if (papers_[i].width == value(kResultWidth) && papers_[i].height == value(kResultHeight)) return i;
    }
    return kFreeSizeIndex;
}
