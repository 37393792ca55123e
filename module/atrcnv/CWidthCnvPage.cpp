#include "atrcnv/CWidthCnvPage.h"

#include <QTreeWidgetItem>

#include "atrcnv/CAtrCnvSheet.h"
#include "atrcnv/CWidthCnvDlg.h"
#include "atrcnv/CnvAttributeLook.h"
#include "frame/HostApi.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "platform/CodePage.h"

namespace {
using Figure = CAtrCnvTargets::Figure;
using Table = CAtrCnvTargets::Table;
using D = ZqSampleDelegate;
}  // namespace

CWidthCnvPage::CWidthCnvPage(CAtrCnvSheet& sheet)
    : CCnvTargetPage(sheet, "IDD_ATRCNVP_003",
                     {{kFirstTitle + 0, 0.2, D::NoSample},  {kFirstTitle + 1, 0.2, D::LineSample},
                      {kFirstTitle + 2, 0.1, D::NoSample},  {kFirstTitle + 3, 0.05, D::NoSample},
                      {kFirstTitle + 4, 0.2, D::NoSample},  {kFirstTitle + 5, 0.2, D::LineSample}})
{
}

int CWidthCnvPage::rowCount() const
{
    return std::min<int>(hostapi::aatWidGetCount(targets().table(Figure::Current, Table::Width)),
                         int(targets().widthTargets().size()));
}

atrcnv::WidthRecord CWidthCnvPage::currentRecord(int row) const
{
    return atrcnv::WidthRecord::from(hostapi::aatWidGetInfo(targets().table(Figure::Current, Table::Width), row + 1));
}

void CWidthCnvPage::fillRow(QTreeWidgetItem* item, int row)
{
    if (!item) return;
    const atrcnv::WidthRecord current = currentRecord(row);
    const atrcnv::WidthRecord& target = targets().widthTargets().at(row);
    void* widths = targets().table(Figure::Current, Table::Width);
    item->setText(kColName, mobr::cp932::toQString(current.name()));
    cnvlook::setWidthSample(item, kColSample, hostapi::aatWidGetWidthEx(current.data()));
    item->setIcon(kColInUse, hostapi::aatWidGetAttrib(widths, row + 1) & kUsedByPenBit ? inUseIcon() : QIcon());
    item->setText(kColArrow, "->");
    item->setTextAlignment(kColArrow, Qt::AlignHCenter);
    item->setText(kColTargetName, mobr::cp932::toQString(target.name()));
    cnvlook::setWidthSample(item, kColTargetSample, hostapi::aatWidGetWidthEx(target.data()));
}

void CWidthCnvPage::showDetails()
{
    const int row = currentRow();
    if (!IsCreated() || row >= rowCount()) return;
    const atrcnv::WidthRecord current = currentRecord(row);
    const atrcnv::WidthRecord& target = targets().widthTargets()[row];
    cnvlook::showNumber(*this, kCurrentWidth, "%.2lf", hostapi::aatWidGetWidthEx(current.data()));
    cnvlook::showNumber(*this, kCurrentPlotPen, "%.0lf", current.secondValue());
    cnvlook::showNumber(*this, kTargetWidth, "%.2lf", hostapi::aatWidGetWidthEx(target.data()));
    cnvlook::showNumber(*this, kTargetPlotPen, "%.0lf", target.secondValue());
}

void CWidthCnvPage::chooseTarget()
{
    const int row = currentRow();
    void* reference = targets().table(Figure::Reference, Table::Width);
    if (row >= rowCount() || !reference) return;
    const atrcnv::WidthRecord source = currentRecord(row);
    CWidthCnvDlg dialog(reference, source, targets().widthTargets()[row], this);
    if (dialog.DoModal() != 1) return;
    const atrcnv::WidthRecord result = dialog.result();
    targets().replaceWidthTargetsByName(result);
    targets().setWidthTarget(row, result);
    targets().propagateWidthToPens(source.name(), result, CAtrCnvTargets::BySourceName);
    refreshRows();
}
