#include "atrcnv/CWidthCnvDlg.h"

#include <QPainter>

#include "atrcnv/AtrCnvRules.h"
#include "atrcnv/CnvAttributeLook.h"
#include "frame/HostApi.h"
#include "mobrcctl/ZqSamplePainter.h"

CWidthCnvDlg::CWidthCnvDlg(void* referenceWidths, const atrcnv::WidthRecord& source,
                           const atrcnv::WidthRecord& target, QWidget* parent)
    : CCnvChoiceDlg("IDD_ATRCNVD_002", kHelpTopic, parent), widths_(referenceWidths), source_(source), result_(target)
{
}

int CWidthCnvDlg::fillLines()
{
    AddString(kList, keepLineText(kKeepText, source_.name()));
    int select = 0;
    const int count = widths_ ? hostapi::aatWidGetCount(widths_) : 0;
    for (int width = 1; width <= count; ++width) {
        const atrcnv::WidthRecord record = atrcnv::WidthRecord::from(hostapi::aatWidGetInfo(widths_, width));
        const int line = AddString(kList, record.name());
        if (!atrcnv::widthsDiffer(result_, record)) select = line;
    }
    return atrcnv::widthsDiffer(source_, result_) ? select : 0;
}

void CWidthCnvDlg::showSelection()
{
    const int line = selectedLine();
    result_ = line > 0 ? atrcnv::WidthRecord::from(hostapi::aatWidGetInfo(widths_, line)) : source_;
    const double width = hostapi::aatWidGetWidthEx(result_.data());
    cnvlook::showNumber(*this, kWidth, "%.2lf", width);
    cnvlook::showNumber(*this, kPlotPen, "%.0lf", result_.secondValue());
    drawInto(kSamplePlaceholder, [width](QPainter& painter, const QRect& rect) {
        ZqSamplePainter::drawLineSample(painter, rect, cnvlook::dotsOf(width), {}, Qt::black);
    });
}
