#include "atrcnv/CPenCnvPage.h"

#include <QTreeWidgetItem>

#include "atrcnv/CAtrCnvSheet.h"
#include "atrcnv/CPenCnvDlg.h"
#include "atrcnv/CnvPageRules.h"
#include "frame/HostApi.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "mobrdlg/ZqResources.h"
#include "platform/CodePage.h"

namespace {

using Figure = CAtrCnvTargets::Figure;
using Table = CAtrCnvTargets::Table;
constexpr const char* kArrow = "->";

using D = ZqSampleDelegate;
}  // namespace

const cnvlook::PenControls CPenCnvPage::kCurrentSide = {
    1701, 1730, 1702, 1101, 1102, 1103, 1703,
    {1704, 1705, 1706, 1707, 1708, 1709, 1710, 1711, 1712, 1713},
    1731, 1732, 1733, 0};
const cnvlook::PenControls CPenCnvPage::kTargetSide = {
    1714, 1734, 1715, 1104, 1105, 1004, 1716,
    {1717, 1718, 1719, 1720, 1721, 1722, 1723, 1724, 1725, 1726},
    1735, 1736, 1737, 0};

CPenCnvPage::CPenCnvPage(CAtrCnvSheet& sheet)
    : CCnvTargetPage(sheet, "IDD_ATRCNVP_002",
                     {{kFirstTitle + 0, 0.15, D::NoSample},    {kFirstTitle + 1, 0.12, D::LineSample},
                      {kFirstTitle + 2, 0.15, D::ColourSwatch}, {kFirstTitle + 3, 0.10, D::NoSample},
                      {kFirstTitle + 4, 0.05, D::NoSample},    {kFirstTitle + 5, 0.15, D::NoSample},
                      {kFirstTitle + 6, 0.12, D::LineSample},  {kFirstTitle + 7, 0.15, D::ColourSwatch}})
{
}

int CPenCnvPage::rowCount() const
{
    return std::min<int>(hostapi::aatPenGetCount(targets().table(Figure::Current, Table::Pen)),
                         int(targets().penTargets().size()));
}

bool CPenCnvPage::currentLook(int row, CnvPenLook& look) const
{
    const CAtrCnvTargets& t = targets();
    return CnvPenLook::fromTables(t.table(Figure::Current, Table::Pen), t.table(Figure::Current, Table::Width),
                                  t.table(Figure::Current, Table::Colour),
                                  t.table(Figure::Current, Table::PenColour), row + 1, look);
}

void CPenCnvPage::fillRow(QTreeWidgetItem* item, int row)
{
    if (!item || row >= int(targets().penTargets().size())) return;
    const std::string noColour = GetString(cnvlook::kNoColourText);
    CnvPenLook current;
    if (currentLook(row, current)) {
        cnvlook::setLineSample(item, kColSample, current);
        cnvlook::setSwatch(item, kColColour, current.hasColour, current.colourWord);
        item->setText(kColColour, mobr::cp932::toQString(current.hasColour ? current.colourName : noColour));
        item->setText(kColName, mobr::cp932::toQString(current.name));
    }
    void* pens = targets().table(Figure::Current, Table::Pen);
    item->setIcon(kColInUse, hostapi::aatPenGetAttrib(pens, row + 1) & kInUseBit ? inUseIcon() : QIcon());
    item->setText(kColArrow, kArrow);
    item->setTextAlignment(kColArrow, Qt::AlignHCenter);
    const CnvPenLook target = CnvPenLook::fromTarget(targets().penTargets()[row]);
    item->setText(kColTargetName, mobr::cp932::toQString(target.name));
    cnvlook::setLineSample(item, kColTargetSample, target);
    cnvlook::setSwatch(item, kColTargetColour, target.hasColour, target.colourWord);
    item->setText(kColTargetColour, mobr::cp932::toQString(target.hasColour ? target.colourName : noColour));
}

void CPenCnvPage::showDetails()
{
    if (!IsCreated() || !targets().hasTargets()) return;
    const int row = currentRow();
    CnvPenLook current;
    if (row >= int(targets().penTargets().size()) || !currentLook(row, current)) return;
    cnvlook::showPen(*this, kCurrentSide, current);
    cnvlook::showPen(*this, kTargetSide, CnvPenLook::fromTarget(targets().penTargets()[row]));
}

int CPenCnvPage::styleCodeFor(int row) const
{
    void* pens = targets().table(Figure::Current, Table::Pen);
    const bool inUse = (hostapi::aatPenGetAttrib(pens, row + 1) & kInUseBit) != 0;
    std::vector<int> styles;
    for (const auto& item : targets().penTargets()) styles.push_back(hostapi::aatPenGetPlotStyleEx(item.pen.data()) & 0xFFFF);
    const int targetStyle = styles.at(row);
    return cnvrules::allowedStyleCode(inUse, hostapi::aatPenGetPlotStyle(pens, row + 1), targetStyle, styles);
}

void CPenCnvPage::chooseTarget()
{
    const int row = currentRow();
    atrcnv::PenTargetItem source;
    if (row >= int(targets().penTargets().size()) || !CPenCnvDlg::sourceTriple(targets(), row + 1, source)) return;
    CPenCnvDlg dialog(targets(), source, targets().penTargets()[row], styleCodeFor(row), this);
    if (dialog.DoModal() != 1) return;

    atrcnv::PenTargetItem item = dialog.result();
    targets().replacePenTargetsByName(item);
    targets().setPenTarget(row, item);
    storeWidth(row, item, source.width);
    item = targets().penTargets()[row];
    if (!item.colour.isNoColour()) storeColour(row, item, source.colour);
    refreshRows();
}

void CPenCnvPage::storeWidth(int row, atrcnv::PenTargetItem item, const atrcnv::WidthRecord& ownWidth)
{
    if (!targets().replaceWidthTargetsByName(item.width) && !targets().appendWidthTarget(item.width, true)) {
        // The figure cannot take another width: the pen keeps its own.
        item.width = ownWidth;
        targets().setPenTarget(row, item);
    }
    targets().propagateWidthToPens(item.width.name(), item.width, CAtrCnvTargets::ByTargetName);
}

void CPenCnvPage::storeColour(int row, atrcnv::PenTargetItem item, const atrcnv::ColourRecord& ownColour)
{
    if (!targets().replaceColourTargetsByName(item.colour) && !targets().appendColourTarget(item.colour, true)) {
        item.colour = ownColour;  // an empty-named record when the pen has none
        targets().setPenTarget(row, item);
    }
    targets().propagateColourToPens(item.colour.name(), item.colour, CAtrCnvTargets::ByTargetName);
}
