#include "attributes/CPageSysAttribute5.h"

#include <QEvent>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "frame/HostApi.h"
#include "mobrcctl/SpinEdit.h"
#include "mobrcctl/ZqListCtrl.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqResources.h"

namespace {

constexpr int kMsgNoDepth = 7270;
constexpr int kGroupColumnTitle = 7138;
constexpr int kCharsColumnTitle = 7139;
constexpr double kGroupColumnRatio = 0.35;
constexpr double kCharsColumnRatio = 0.57;
constexpr int kFirstGroupName = 7122;
constexpr int kFirstGroupChars = 7131;
constexpr int kUserGroupName = 7129;
constexpr int kFixedGroups = 7;
constexpr int kUserGroupBit = 0x80;
constexpr int kGroupTextBytes = 520;
constexpr int kFirstOrderName = 7143;
constexpr int kOrderCount = 3;
constexpr int kExponentDigits = 2;
constexpr int kSpinPartOffset = 1000;

int rowBit(int row) { return row < kFixedGroups ? 1 << row : kUserGroupBit; }

}  // namespace

CPageSysAttribute5::CPageSysAttribute5() : CZqPropertyPage("IDD_PROPS_005")
{
    check_.SetMsgBox(0);
}

CPageSysAttribute5::~CPageSysAttribute5() = default;

// ---- Data link --------------------------------------------------------------

int CPageSysAttribute5::SetPageInt(int item, int value)
{
    switch (item) {
    case kItemExponent:
        if (value < kMinExponent || value > kMaxExponent) return 0;
        exponent_ = value;
        break;
    case kItemColourDepth:
        if (value != 0 && value != 1) return 0;
        colourDepth_ = value;
        break;
    case kItemDrawOrder:
        if (value < 0 || value >= kOrderCount) return 0;
        drawOrder_ = value;
        break;
    default:
        return 0;
    }
    return 1;
}

int CPageSysAttribute5::GetPageInt(int item, int* value)
{
    if (!value) return 0;
    switch (item) {
    case kItemExponent: *value = exponent_; return 1;
    case kItemColourDepth: *value = colourDepth_; return 1;
    case kItemDrawOrder: *value = drawOrder_; return 1;
    default: return 0;
    }
}

int CPageSysAttribute5::SetCharExInfo(void* copy)
{
    if (!copy) return 0;
    charEx_ = copy;
    hostapi::aatCharExInfoSort(copy);
    if (IsCreated()) fillGroupList();
    return 1;
}

// ---- Opening -----------------------------------------------------------------

bool CPageSysAttribute5::OnInitDialog()
{
    spin_ = std::make_unique<CSpinEdit>(kMinExponent, kMaxExponent, 1, exponent_);
    spin_->SubclassSpinEdit(kExponent, kExponent + kSpinPartOffset, this);
    spin_->SetCurrentPosition(exponent_);

    CheckRadioButton(kDepthStandard, kDepthFull, colourDepth_ == 0 ? kDepthStandard : kDepthFull);

    ResetContent(kDrawOrder);
    for (int i = 0; i < kOrderCount; ++i) AddString(kDrawOrder, GetString(kFirstOrderName + i));
    SetCurSel(kDrawOrder, drawOrder_);

    list_ = std::make_unique<CZqListCtrl>();
    list_->SubclassListCtrl(kGroupList, this);
    list_->SetColumnString({GetString(kGroupColumnTitle), GetString(kCharsColumnTitle)});
    if (list_->tree()) {
        // The list gets its real width only when the sheet lays the page out.
        list_->tree()->viewport()->installEventFilter(this);
        sizeColumns();
    }
    fillGroupList();
    return true;
}

void CPageSysAttribute5::sizeColumns()
{
    list_->SetColumnWidthRatio(0, kGroupColumnRatio);
    list_->SetColumnWidthRatio(1, kCharsColumnRatio);
}

bool CPageSysAttribute5::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && list_ && list_->tree() && watched == list_->tree()->viewport()) {
        sizeColumns();
    }
    return CZqPropertyPage::eventFilter(watched, event);
}

void CPageSysAttribute5::fillGroupList()
{
    if (!list_ || !list_->tree()) return;
    list_->ResetContent();
    int mode = 0;
    groupText_.clear();
    if (charEx_) {
        char text[kGroupTextBytes] = {};
        mode = hostapi::aatCharExGetInfoMode(charEx_, text, kGroupTextBytes);
        text[kGroupTextBytes - 1] = '\0';
        groupText_ = text;
        if (mode < 0) mode = 0;
    }
    auto addRow = [&](const std::string& name, const std::string& chars, int bit) {
        const int row = list_->AddString(std::vector<std::string>{name, chars});
        list_->SetItemData(row, bit);
        QTreeWidgetItem* item = list_->tree()->topLevelItem(row);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, (mode & bit) ? Qt::Checked : Qt::Unchecked);
    };
    for (int i = 0; i < kFixedGroups; ++i) {
        addRow(GetString(kFirstGroupName + i), GetString(kFirstGroupChars + i), rowBit(i));
    }
    if (!groupText_.empty()) addRow(GetString(kUserGroupName), groupText_, kUserGroupBit);
}

// ---- Leaving and applying ----------------------------------------------------

bool CPageSysAttribute5::refuseExponent()
{
    QWidget* field = GetDlgItem(kExponent);
    check_.DataCheckMsgBoxEx(check_.GetLastErrMsg(), field);
    CDlgDataCheck::focusField(field);
    return false;
}

bool CPageSysAttribute5::OnKillActive()
{
    if (!IsCreated()) return true;
    int exponent = 0;
    if (!check_.StringCheck(GetDlgItemText(kExponent), kExponentDigits, &exponent)) return refuseExponent();
    if (!check_.CheckData(exponent, kMinExponent, kMaxExponent)) return refuseExponent();

    const int radio = GetCheckedRadioButton(kDepthStandard, kDepthFull);
    if (radio == 0) {
        ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, kMsgNoDepth, nullptr);
        SetFocusTo(kDepthStandard);
        return false;
    }
    exponent_ = exponent;
    // The radio choice is the page's only record of the flag: keep it too.
    colourDepth_ = radio == kDepthFull ? 1 : 0;
    return true;
}

void CPageSysAttribute5::OnOK()
{
    if (charEx_ && list_ && list_->tree()) {
        // Rebuild the copy from the ticked rows: every entry goes, then one
        // entry carries all the ticked groups. Deleting from the last entry
        // keeps every number valid when the host closes the gap after each
        // deletion, so no entry survives.
        const int count = hostapi::aatCharExGetCount(charEx_);
        for (int n = count; n >= 1; --n) hostapi::aatCharExDelete(charEx_, n);

        int mode = 0;
        const int rows = list_->GetCount();
        for (int row = 0; row < rows; ++row) {
            if (list_->tree()->topLevelItem(row)->checkState(0) == Qt::Checked) mode |= rowBit(row);
        }
        const std::string text = (rows > kFixedGroups && (mode & kUserGroupBit)) ? groupText_ : std::string();
        if (mode != 0) {
            hostapi::aatCharExAddInfoMode(charEx_, mode, text.c_str());
            hostapi::aatCharExInfoSort(charEx_);
        }
    }
    const int order = GetCurSel(kDrawOrder);
    if (order >= 0 && order < kOrderCount) drawOrder_ = order;
}

void CPageSysAttribute5::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
