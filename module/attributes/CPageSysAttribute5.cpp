#include "attributes/CPageSysAttribute5.h"

#include <QEvent>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "frame/HostApi.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrcctl/ZqListCtrl.h"
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
constexpr int kExponentDigits = 2;

int rowBit(int row) { return row < kFixedGroups ? 1 << row : kUserGroupBit; }

}  // namespace

const std::vector<ZqField>& CPageSysAttribute5::fieldTable()
{
    static const std::vector<ZqField> fields = {
        ZqField::integer(kItemExponent, kExponent, kMinExponent, kMaxExponent)
            .withCheckDigits(kExponentDigits)
            .asSpin(1)
            .withInitial(0),
        ZqField::radio(kItemColourDepth, kDepthStandard, kDepthFull).withMessage(kMsgNoDepth),
        ZqField::choice(kItemDrawOrder, kDrawOrder, kOrderCount),
    };
    return fields;
}

CPageSysAttribute5::CPageSysAttribute5() : CZqPropertyPage("IDD_PROPS_005"), CZqFieldLink(fieldTable()) {}

CPageSysAttribute5::~CPageSysAttribute5() = default;

// ---- Data link --------------------------------------------------------------

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
    fillOrderList();
    binder_ = std::make_unique<CZqFieldBinder>(*this, fieldSet());
    binder_->attach();

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

void CPageSysAttribute5::fillOrderList()
{
    ResetContent(kDrawOrder);
    for (int i = 0; i < kOrderCount; ++i) AddString(kDrawOrder, GetString(kFirstOrderName + i));
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

bool CPageSysAttribute5::OnKillActive()
{
    return !IsCreated() || binder_->checkAll();
}

void CPageSysAttribute5::OnOK()
{
    if (!binder_) return;
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
    // The draw order is the one field that leaving the page does not need
    // to take: it cannot be wrong.
    binder_->check(kDrawOrder);
}

void CPageSysAttribute5::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
