// The OK step of a conversion: the fixed order of conversions, merges, mask
// repair, the changed mark and the host's refreshes.
#include "atrcnv/AtrCnvApply.h"
#include "atrcnv/CAtrCnvTargets.h"
#include "frame/HostApi.h"
#include "mobrdlg/ZqMessageBox.h"

namespace atrcnv {

namespace {

using Figure = CAtrCnvTargets::Figure;
using Table = CAtrCnvTargets::Table;

constexpr int kDiscard = 1;
// Attribute displays the host refreshes after a conversion, in this order.
constexpr int kAttributeUpdates[] = {20009, 20011, 24003, 24001, -1};
constexpr int kAllAttributeDisplays = -2;

bool tablesPresent(const CAtrCnvTargets& t)
{
    return t.hasTargets() && t.table(Figure::Current, Table::Colour) && t.table(Figure::Current, Table::Width) &&
           t.table(Figure::Current, Table::Pen) && t.table(Figure::Current, Table::PenColour);
}

int mergePensOnFreshCopies(short figure, const CAtrCnvTargets& t, Listener& listener)
{
    void* pens = hostapi::aatFigEditPenInfo(figure);
    void* penColours = hostapi::aatFigEditPenExInfo(figure);
    void* colours = hostapi::aatFigEditColInfo(figure);
    void* widths = hostapi::aatFigEditWidInfo(figure);
    if (!pens || !penColours || !colours || !widths) {
        if (pens) hostapi::aatFigRestorePenInfo(figure, pens, kDiscard);
        if (penColours) hostapi::aatFigRestorePenExInfo(figure, penColours, kDiscard);
        if (colours) hostapi::aatFigRestoreColInfo(figure, colours, kDiscard);
        if (widths) hostapi::aatFigRestoreWidInfo(figure, widths, kDiscard);
        return 0;
    }
    const int grew = mergePens(figure, pens, widths, colours, penColours, t.table(Figure::Reference, Table::Pen),
                               t.table(Figure::Reference, Table::Width), t.table(Figure::Reference, Table::Colour),
                               t.table(Figure::Reference, Table::PenColour), listener);
    return grew;
}

void refreshHost(short figure)
{
    for (int id : kAttributeUpdates) hostapi::aatAtrUpdate(id);
    hostapi::aatDrwFigView(figure);
    hostapi::aatAtrDisp(kAllAttributeDisplays);
}

}  // namespace

CommitReport commitConversion(CAtrCnvTargets& targets, const CommitOptions& options)
{
    CommitReport report;
    Listener& listener = targets.listener();
    const short figure = targets.currentFigure();
    if (!tablesPresent(targets)) {
        report.missingTables = true;
        listener.message(kMsgMissingTables, ZQ_MB_ICONSTOP);
        return report;
    }
    targets.compactColourList();
    report.coloursChanged = targets.colourChanged();
    targets.compactWidthList();
    report.widthsChanged = targets.widthChanged();
    report.pensChanged = targets.penChanged();

    // Colours, widths, pens: the pen step looks its widths and colours up in
    // the already converted tables.
    if (report.coloursChanged)
        report.coloursConverted =
            applyColourConversion(figure, targets.takeCurrent(Table::Colour), targets.colourTargets(), listener) == 1;
    if (report.widthsChanged)
        report.widthsConverted =
            applyWidthConversion(figure, targets.takeCurrent(Table::Width), targets.widthTargets(), listener) == 1;
    if (report.pensChanged) {
        void* pens = targets.takeCurrent(Table::Pen);
        void* penColours = targets.takeCurrent(Table::PenColour);
        // Without a pen merge nothing changes the pens after this step, so
        // the masks are repaired here, on the copy the step takes anyway.
        report.pensConverted =
            applyPenConversion(figure, pens, penColours, targets.penTargets(), listener, !options.mergePens) == 1;
    }

    // Every merge that grew a table counts, whatever the merges after it say.
    if (options.mergeColours)
        report.merged |= mergeColours(figure, hostapi::aatFigEditColInfo(figure),
                                      targets.table(Figure::Reference, Table::Colour), listener) == 1;
    if (options.mergeWidths)
        report.merged |= mergeWidths(figure, hostapi::aatFigEditWidInfo(figure),
                                     targets.table(Figure::Reference, Table::Width), listener) == 1;
    if (options.mergePens) report.merged |= mergePensOnFreshCopies(figure, targets, listener) == 1;

    if (report.coloursChanged || report.widthsChanged || report.pensChanged) {
        if (!(report.pensConverted && !options.mergePens)) fixSolidPenMasks(figure);
        report.figureMarked = true;
    } else {
        report.figureMarked = report.merged;
    }
    if (report.figureMarked) hostapi::aatFigUflgSetup(figure);
    refreshHost(figure);
    return report;
}

}  // namespace atrcnv
