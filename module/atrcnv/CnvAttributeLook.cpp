#include "atrcnv/CnvAttributeLook.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QBitmap>
#include <QIcon>
#include <QTreeWidgetItem>

#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqWindow.h"

namespace {

constexpr int kPitchValues = 10;
constexpr int kInUseImage = 7412;
constexpr int kInUseImageWidth = 16;
// The samples magnify pitch lengths (units) to pixels.
constexpr double kSamplePixelsPerUnit = 2.0;

std::vector<double> pitchOf(const double* values, int count)
{
    count = std::clamp(count, 0, kPitchValues);
    return std::vector<double>(values, values + count);
}

}  // namespace

bool CnvPenLook::fromTables(void* pens, void* widths, void* colours, void* penColours, int pen, CnvPenLook& look)
{
    if (!pens || !widths || !colours || !penColours) return false;
    const int width = hostapi::aatPenGetWidth(pens, pen);
    if (width < 1) return false;
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatPenGetName(pens, pen, name);
    look.name = name;
    char widthName[mobr::kHostNameBufferBytes] = {};
    hostapi::aatWidGetName(widths, width, widthName);
    look.widthName = widthName;
    look.width = hostapi::aatWidGetWidth(widths, width);
    look.style = hostapi::aatPenGetPlotStyle(pens, pen);
    look.mask = hostapi::aatPenGetMask(pens, pen);
    double values[kPitchValues] = {};
    look.pitch = pitchOf(values, hostapi::aatPenGetPitch(pens, pen, values, kPitchValues));
    const int colour = hostapi::aatPenExGetColor(penColours, pens, pen);
    int red = 0, green = 0, blue = 0;
    look.hasColour = colour > 0 && hostapi::aatColGetRGB(colours, colour, &red, &green, &blue) == 0;
    if (look.hasColour) {
        char colourName[mobr::kHostNameBufferBytes] = {};
        hostapi::aatColGetName(colours, colour, colourName);
        look.colourName = colourName;
        look.colourWord = uint32_t(red & 0xFF) | uint32_t(green & 0xFF) << 8 | uint32_t(blue & 0xFF) << 16;
    }
    return true;
}

CnvPenLook CnvPenLook::fromTarget(const atrcnv::PenTargetItem& item)
{
    CnvPenLook look;
    look.name = item.pen.name();
    look.widthName = item.width.name();
    look.width = hostapi::aatWidGetWidthEx(item.width.data());
    look.style = hostapi::aatPenGetPlotStyleEx(item.pen.data()) & 0xFFFF;
    look.mask = hostapi::aatPenGetMaskEx(item.pen.data());
    double values[kPitchValues] = {};
    look.pitch = pitchOf(values, hostapi::aatPenGetPitchEx(item.pen.data(), values, kPitchValues));
    look.hasColour = !item.colour.isNoColour();
    if (look.hasColour) {
        look.colourName = item.colour.name();
        look.colourWord = item.colour.colourValue();
    }
    return look;
}

namespace cnvlook {

QColor colourOf(uint32_t word)
{
    return QColor(int(word & 0xFF), int((word >> 8) & 0xFF), int((word >> 16) & 0xFF));
}

int dotsOf(double width)
{
    return std::max(1, hostapi::aatDrwGetWidthCount(static_cast<int>(std::lround(width * 100.0))));
}

std::string styleText(int style)
{
    return style >= 1 && style <= kStyleCount ? GetString(kFirstStyleText + style) : std::string();
}

void showNumber(CZqWindow& window, int control, const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    window.SetDlgItemText(control, text);
}

void clearText(CZqWindow& window, int control)
{
    window.SetDlgItemText(control, "");
}

void showPen(CZqWindow& window, const PenControls& c, const CnvPenLook& look)
{
    window.SetDlgItemText(c.widthName, look.widthName);
    showNumber(window, c.width, "%.2lf", look.width);
    // A style without a name leaves what the field showed.
    if (!styleText(look.style).empty()) window.SetDlgItemText(c.style, styleText(look.style));
    window.CheckDlgButton(c.mask1, (look.mask & 0x1) == 0);
    window.CheckDlgButton(c.mask2, (look.mask & 0x2) == 0);
    window.CheckDlgButton(c.mask4, (look.mask & 0x4) == 0 && look.style == 1);
    const int pairs = int(look.pitch.size()) / 2;
    showNumber(window, c.pairCount, "%.0lf", pairs);
    for (int i = 0; i < 10; ++i) {
        if (i < 2 * pairs) showNumber(window, c.pitch[i], "%.1lf", look.pitch[i]);
        else clearText(window, c.pitch[i]);
    }
    if (c.colourName) {
        window.SetDlgItemText(c.colourName, look.hasColour ? look.colourName : GetString(kNoColourText));
        return;
    }
    const int parts[3] = {c.red, c.green, c.blue};
    for (int i = 0; i < 3; ++i) {
        if (look.hasColour) showNumber(window, parts[i], "%.0lf", (look.colourWord >> (8 * i)) & 0xFF);
        else clearText(window, parts[i]);
    }
}

void setLineSample(QTreeWidgetItem* item, int column, const CnvPenLook& look)
{
    QVariantList pitch;
    for (double v : look.pitch) pitch.append(v * kSamplePixelsPerUnit);
    item->setData(column, ZqSampleDelegate::SampleKindRole, int(ZqSampleDelegate::LineSample));
    item->setData(column, ZqSampleDelegate::LineWidthRole, dotsOf(look.width));
    item->setData(column, ZqSampleDelegate::PitchRole, pitch);
    item->setData(column, ZqSampleDelegate::ColourRole, look.hasColour ? colourOf(look.colourWord) : QColor(Qt::black));
}

void setWidthSample(QTreeWidgetItem* item, int column, double width)
{
    item->setData(column, ZqSampleDelegate::SampleKindRole, int(ZqSampleDelegate::LineSample));
    item->setData(column, ZqSampleDelegate::LineWidthRole, dotsOf(width));
    item->setData(column, ZqSampleDelegate::PitchRole, QVariantList());
    item->setData(column, ZqSampleDelegate::ColourRole, QColor(Qt::black));
}

void setSwatch(QTreeWidgetItem* item, int column, bool hasColour, uint32_t colourWord)
{
    item->setData(column, ZqSampleDelegate::SampleKindRole,
                  int(hasColour ? ZqSampleDelegate::ColourSwatch : ZqSampleDelegate::NoSample));
    item->setData(column, ZqSampleDelegate::ColourRole, hasColour ? colourOf(colourWord) : QColor());
}

QIcon inUseIcon()
{
    QPixmap strip = ZqLoadImage(kInUseImage);
    if (strip.isNull()) return QIcon();
    QPixmap image = strip.copy(0, 0, std::min(kInUseImageWidth, strip.width()), strip.height());
    image.setMask(image.createMaskFromColor(QColor(0, 255, 0), Qt::MaskInColor));
    return QIcon(image);
}

}  // namespace cnvlook
