#include "attributes/CPageSysAttribute2.h"

#include <cmath>

#include <QListWidgetItem>

#include "frame/HostApi.h"
#include "mobrcctl/ZqSampleDelegate.h"

CPageSysAttribute2::CPageSysAttribute2()
    : CAttributeListPage("IDD_PROPS_002", kHelpTopic, Table::Widths, kSampleHeading)
{
}

void CPageSysAttribute2::decorateRow(QListWidgetItem& row, int entry) const
{
    // The sample is as many dots thick as the width shows on screen. The
    // hundredths are rounded: 0.29 * 100 is just below 29 in a double.
    const double width = hostapi::aatWidGetWidth(table(), entry);
    row.setData(ZqSampleDelegate::SampleKindRole, int(ZqSampleDelegate::LineSample));
    row.setData(ZqSampleDelegate::LineWidthRole,
                hostapi::aatDrwGetWidthCount(static_cast<int>(std::lround(width * 100.0))));
}

int CPageSysAttribute2::applyEditor(int entry)
{
    entry = nameEntry(entry, edited_.name);
    if (entry < 1) return entry;
    hostapi::aatWidSetWidth(table(), entry, edited_.width);
    hostapi::aatWidSetPlotPen(table(), entry, edited_.plotPen);
    return entry;
}
