#include "atrcnv/CColorCnvPage.h"

#include <QTreeWidgetItem>

#include "atrcnv/CAtrCnvSheet.h"
#include "atrcnv/CColorCnvDlg.h"
#include "atrcnv/CnvAttributeLook.h"
#include "frame/HostApi.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "platform/CodePage.h"

namespace {
using Figure = CAtrCnvTargets::Figure;
using Table = CAtrCnvTargets::Table;
using D = ZqSampleDelegate;
}  // namespace

CColorCnvPage::CColorCnvPage(CAtrCnvSheet& sheet)
    : CCnvTargetPage(sheet, "IDD_ATRCNVP_004",
                     {{kFirstTitle + 0, 0.2, D::ColourSwatch}, {kFirstTitle + 1, 0.1, D::NoSample},
                      {kFirstTitle + 2, 0.05, D::NoSample},    {kFirstTitle + 3, 0.2, D::ColourSwatch}})
{
}

int CColorCnvPage::rowCount() const
{
    return std::min<int>(hostapi::aatColGetCount(targets().table(Figure::Current, Table::Colour)),
                         int(targets().colourTargets().size()));
}

atrcnv::ColourRecord CColorCnvPage::currentRecord(int row) const
{
    return atrcnv::ColourRecord::from(
        hostapi::aatColGetInfo(targets().table(Figure::Current, Table::Colour), row + 1));
}

void CColorCnvPage::fillRow(QTreeWidgetItem* item, int row)
{
    if (!item) return;
    const atrcnv::ColourRecord current = currentRecord(row);
    const atrcnv::ColourRecord& target = targets().colourTargets().at(row);
    void* colours = targets().table(Figure::Current, Table::Colour);
    item->setText(kColName, mobr::cp932::toQString(current.name()));
    cnvlook::setSwatch(item, kColName, true, current.colourValue());
    item->setIcon(kColInUse, hostapi::aatColGetAttrib(colours, row + 1) & kInUseBit ? inUseIcon() : QIcon());
    item->setText(kColArrow, "->");
    item->setTextAlignment(kColArrow, Qt::AlignHCenter);
    item->setText(kColTargetName, mobr::cp932::toQString(target.name()));
    cnvlook::setSwatch(item, kColTargetName, true, target.colourValue());
}

void CColorCnvPage::showRgb(int firstControl, const atrcnv::ColourRecord& record)
{
    const int parts[3] = {record.red(), record.green(), record.blue()};
    for (int i = 0; i < 3; ++i) cnvlook::showNumber(*this, firstControl + i, "%.0lf", parts[i]);
}

void CColorCnvPage::showDetails()
{
    const int row = currentRow();
    if (!IsCreated() || row >= rowCount()) return;
    showRgb(kCurrentRed, currentRecord(row));
    showRgb(kTargetRed, targets().colourTargets()[row]);
}

void CColorCnvPage::chooseTarget()
{
    const int row = currentRow();
    void* reference = targets().table(Figure::Reference, Table::Colour);
    if (row >= rowCount() || !reference) return;
    const atrcnv::ColourRecord source = currentRecord(row);
    CColorCnvDlg dialog(reference, source, targets().colourTargets()[row], this);
    if (dialog.DoModal() != 1) return;
    const atrcnv::ColourRecord result = dialog.result();
    targets().replaceColourTargetsByName(result);
    targets().setColourTarget(row, result);
    targets().propagateColourToPens(source.name(), result, CAtrCnvTargets::BySourceName);
    refreshRows();
}
