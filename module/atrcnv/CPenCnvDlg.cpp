#include "atrcnv/CPenCnvDlg.h"

#include <QPainter>

#include "atrcnv/AtrCnvRules.h"
#include "atrcnv/CnvAttributeLook.h"
#include "atrcnv/CnvPageRules.h"
#include "frame/HostApi.h"
#include "mobrcctl/ZqSamplePainter.h"

namespace {

using Figure = CAtrCnvTargets::Figure;
using Table = CAtrCnvTargets::Table;

const cnvlook::PenControls kFields = {1702, 1717, 1703, 1101, 1102, 1103, 1705,
                                      {1707, 1708, 1709, 1710, 1711, 1712, 1713, 1714, 1715, 1716},
                                      0, 0, 0, 1704};

int styleOf(const atrcnv::PenRecord& pen)
{
    return hostapi::aatPenGetPlotStyleEx(pen.data()) & 0xFFFF;
}

}  // namespace

CPenCnvDlg::CPenCnvDlg(const CAtrCnvTargets& targets, const atrcnv::PenTargetItem& source,
                       const atrcnv::PenTargetItem& target, int styleCode, QWidget* parent)
    : CCnvChoiceDlg("IDD_ATRCNVD_001", kHelpTopic, parent),
      pens_(targets.table(Figure::Reference, Table::Pen)),
      widths_(targets.table(Figure::Reference, Table::Width)),
      colours_(targets.table(Figure::Reference, Table::Colour)),
      penColours_(targets.table(Figure::Reference, Table::PenColour)),
      source_(source),
      result_(target),
      styleCode_(styleCode)
{
}

bool CPenCnvDlg::sourceTriple(const CAtrCnvTargets& t, int pen, atrcnv::PenTargetItem& triple)
{
    return atrcnv::fetchPenTriple(t.table(Figure::Current, Table::Pen), t.table(Figure::Current, Table::PenColour),
                                  t.table(Figure::Current, Table::Width), t.table(Figure::Current, Table::Colour), pen,
                                  triple);
}

bool CPenCnvDlg::referenceTriple(int pen, atrcnv::PenTargetItem& triple) const
{
    return atrcnv::fetchPenTriple(pens_, penColours_, widths_, colours_, pen, triple);
}

int CPenCnvDlg::fillLines()
{
    keep_ = cnvrules::styleAllowed(styleCode_, styleOf(source_.pen));
    if (keep_) AddString(kList, keepLineText(kKeepText, source_.pen.name()));
    int select = 0;
    const int count = pens_ ? hostapi::aatPenGetCount(pens_) : 0;
    for (int pen = 1; pen <= count; ++pen) {
        const void* record = hostapi::aatPenGetInfo(pens_, pen);
        if (!record || !cnvrules::styleAllowed(styleCode_, styleOf(atrcnv::PenRecord::from(record)))) continue;
        const int line = AddString(kList, atrcnv::nameOfRecord(record));
        linePens_.push_back(pen);
        atrcnv::PenTargetItem triple;
        if (referenceTriple(pen, triple) && !atrcnv::pensDiffer(result_, triple)) select = line;
    }
    if (!atrcnv::pensDiffer(source_, result_)) select = 0;
    return select;
}

void CPenCnvDlg::showSelection()
{
    const int line = selectedLine();
    const int listed = line - (keep_ ? 1 : 0);
    if (listed >= 0 && listed < int(linePens_.size())) {
        atrcnv::PenTargetItem chosen;
        if (!referenceTriple(linePens_[listed], chosen)) return;
        result_ = chosen;
    } else if (keep_) {
        result_ = source_;
    }
    cnvlook::showPen(*this, kFields, CnvPenLook::fromTarget(result_));
    drawResult();
}

void CPenCnvDlg::drawResult()
{
    const CnvPenLook look = CnvPenLook::fromTarget(result_);
    drawInto(kSamplePlaceholder, [&look](QPainter& painter, const QRect& rect) {
        std::vector<double> pitch;
        for (double v : look.pitch) pitch.push_back(v * 2.0);
        ZqSamplePainter::drawLineSample(painter, rect, cnvlook::dotsOf(look.width), pitch,
                                        look.hasColour ? cnvlook::colourOf(look.colourWord) : QColor(Qt::black));
    });
    drawInto(kSwatchPlaceholder, [&look](QPainter& painter, const QRect& rect) {
        if (look.hasColour) ZqSamplePainter::drawColourSwatch(painter, rect, cnvlook::colourOf(look.colourWord));
    });
}
