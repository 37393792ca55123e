#include "attributes/CPageSysAttribute3.h"

#include <QListWidget>
#include <QListWidgetItem>

#include "frame/HostApi.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "mobrcctl/ZqSamplePainter.h"

void CPageSysAttribute3::decorateRow(QListWidgetItem& row, int entry) const
{
    int red = 0, green = 0, blue = 0;
    hostapi::aatColGetRGB(table(), entry, &red, &green, &blue);
    // The swatch takes the value the host's palette gives for the colour on
    // the list's surface.
    void* surface = row.listWidget() ? static_cast<void*>(row.listWidget()->viewport()) : nullptr;
    const bool palette = surface && hostapi::aatPaletteOpen(surface, table()) == 0;
    const unsigned word = hostapi::aatPaletteGetColor(red, green, blue);
    if (palette) hostapi::aatPaletteClose(surface);
    row.setData(ZqSampleDelegate::SampleKindRole, int(ZqSampleDelegate::ColourSwatch));
    row.setData(ZqSampleDelegate::ColourRole, ZqSamplePainter::fromColourWord(word));
}

int CPageSysAttribute3::SetPageData(int item, std::intptr_t value)
{
    if (item != kItemPenColours) return CAttributeListPage::SetPageData(item, value);
    penColours_ = reinterpret_cast<void*>(value);
    return 1;
}

bool CPageSysAttribute3::OnSetActive()
{
    // Pens added or recoloured on the line type page change which colours
    // are in use.
    if (table() && penColours_) hostapi::aatColSetUseFlgPenEx(penColours_, table());
    refreshButtons();
    return CAttributeListPage::OnSetActive();
}

CPageSysAttribute3::CPageSysAttribute3()
    : CAttributeListPage("IDD_PROPS_003", kHelpTopic, Table::Colours, kSampleHeading)
{
}

int CPageSysAttribute3::applyEditor(int entry)
{
    const int named = nameEntry(entry, edited_.name);
    if (named < 1) return named;
    hostapi::aatColSetRGB(table(), named, edited_.rgb[0], edited_.rgb[1], edited_.rgb[2]);
    // A modified colour repaints the whole list.
    if (entry > 0) redecorateRows();
    return named;
}

bool CPageSysAttribute3::removeEntry(int entry)
{
    if (!CAttributeListPage::removeEntry(entry)) return false;
    // Higher colour numbers move down in the pen colour copy too.
    if (penColours_) hostapi::aatPenExDeleteColor(penColours_, entry);
    return true;
}
