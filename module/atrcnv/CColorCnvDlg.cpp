#include "atrcnv/CColorCnvDlg.h"

#include <QPainter>

#include "atrcnv/AtrCnvRules.h"
#include "atrcnv/CnvAttributeLook.h"
#include "frame/HostApi.h"
#include "mobrcctl/ZqSamplePainter.h"

CColorCnvDlg::CColorCnvDlg(void* referenceColours, const atrcnv::ColourRecord& source,
                           const atrcnv::ColourRecord& target, QWidget* parent)
    : CCnvChoiceDlg("IDD_ATRCNVD_003", kHelpTopic, parent), colours_(referenceColours), source_(source),
      result_(target)
{
}

int CColorCnvDlg::fillLines()
{
    AddString(kList, keepLineText(kKeepText, source_.name()));
    int select = 0;
    const int count = colours_ ? hostapi::aatColGetCount(colours_) : 0;
    for (int colour = 1; colour <= count; ++colour) {
        const atrcnv::ColourRecord record = atrcnv::ColourRecord::from(hostapi::aatColGetInfo(colours_, colour));
        const int line = AddString(kList, record.name());
        if (!atrcnv::coloursDiffer(result_, record)) select = line;
    }
    return atrcnv::coloursDiffer(source_, result_) ? select : 0;
}

void CColorCnvDlg::showSelection()
{
    const int line = selectedLine();
    result_ = line > 0 ? atrcnv::ColourRecord::from(hostapi::aatColGetInfo(colours_, line)) : source_;
    cnvlook::showNumber(*this, kRed, "%.0lf", result_.red());
    cnvlook::showNumber(*this, kGreen, "%.0lf", result_.green());
    cnvlook::showNumber(*this, kBlue, "%.0lf", result_.blue());
    // No display here has a palette: the swatch shows the exact colour.
    const QColor colour = cnvlook::colourOf(result_.colourValue());
    drawInto(kSamplePlaceholder, [colour](QPainter& painter, const QRect& rect) {
        ZqSamplePainter::drawColourSwatch(painter, rect, colour);
    });
}
