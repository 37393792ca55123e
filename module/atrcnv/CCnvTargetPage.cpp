#include "atrcnv/CCnvTargetPage.h"

#include <algorithm>

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>

#include "atrcnv/CAtrCnvSheet.h"
#include "atrcnv/CnvAttributeLook.h"
#include "frame/HostApi.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "mobrdlg/ZqResources.h"

namespace {
constexpr int kSwatchWidth = 34;
}  // namespace

CCnvTargetPage::CCnvTargetPage(CAtrCnvSheet& sheet, const char* layoutName, std::vector<ColumnSpec> columns)
    : CZqPropertyPage(layoutName), sheet_(sheet), columns_(std::move(columns))
{
}

CCnvTargetPage::~CCnvTargetPage() = default;

CAtrCnvTargets& CCnvTargetPage::targets() const
{
    return sheet_.targets();
}

bool CCnvTargetPage::OnInitDialog()
{
    if (!list_.SubclassListCtrl(kList, this)) return false;
    inUseIcon_ = cnvlook::inUseIcon();
    setUpColumns();
    rebuildList(true);
    return true;
}

void CCnvTargetPage::setUpColumns()
{
    const std::vector<ColumnSpec>& cols = columns();
    std::vector<std::string> titles;
    for (const ColumnSpec& c : cols) titles.push_back(GetString(c.title));
    list_.SetColumnString(titles);
    list_.SetExtendedStyle(CZqListCtrl::LVS_EX_FULLROWSELECT);
    QTreeWidget* tree = list_.tree();
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    // The list is not laid out yet: the columns share its designed width.
    const int width = std::max(tree->minimumWidth(), tree->width()) - 2 * tree->frameWidth();
    tree->header()->setStretchLastSection(false);
    for (int i = 0; i < int(cols.size()); ++i) {
        const int columnWidth = static_cast<int>(width * cols[i].ratio);
        tree->setColumnWidth(i, columnWidth);
        if (cols[i].sample == ZqSampleDelegate::NoSample) continue;
        auto* delegate = new ZqSampleDelegate(tree);  // owned by the list
        // A swatch keeps one size at the cell's right end, after its name;
        // a line sample fills the cell.
        delegate->setSampleLeft(cols[i].sample == ZqSampleDelegate::ColourSwatch
                                    ? std::max(0, columnWidth - kSwatchWidth)
                                    : 2);
        tree->setItemDelegateForColumn(i, delegate);
    }
}

void CCnvTargetPage::rebuildList(bool selectFirst)
{
    if (!IsCreated() && !list_.tree()) return;
    const int keep = currentRow();
    {
        const QSignalBlocker block(list_.tree());
        list_.ResetContent();
        const int columnCount = int(columns().size());
        if (targets().hasTargets()) {
            for (int row = 0; row < rowCount(); ++row) {
                list_.AddString(std::vector<std::string>(columnCount));
                fillRow(list_.tree()->topLevelItem(row), row);
            }
        }
        list_.SetCurSel(list_.GetCount() > 0 ? (selectFirst ? 0 : std::min(keep, list_.GetCount() - 1)) : -1);
    }
    showDetails();
}

void CCnvTargetPage::refreshRows()
{
    for (int row = 0; row < list_.GetCount(); ++row) fillRow(list_.tree()->topLevelItem(row), row);
    list_.tree()->viewport()->update();
    showDetails();
}

int CCnvTargetPage::currentRow() const
{
    return std::max(0, list_.GetCurSel());
}

bool CCnvTargetPage::OnCommand(int id)
{
    if (id == kChooseButton) {
        if (targets().hasTargets() && list_.GetCount() > 0) chooseTarget();
        return true;
    }
    return CZqPropertyPage::OnCommand(id);
}

void CCnvTargetPage::OnSelChange(int id)
{
    if (id == kList) showDetails();
}

void CCnvTargetPage::OnDblClk(int id)
{
    if (id == kList) OnCommand(kChooseButton);
}

bool CCnvTargetPage::OnSetActive()
{
    // A choice on another page may have changed this page's targets.
    if (list_.tree() && targets().hasTargets()) refreshRows();
    return CZqPropertyPage::OnSetActive();
}

void CCnvTargetPage::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
