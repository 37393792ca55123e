#include "attributes/CPageSysAttribute4.h"

#include <cstdint>

#include <QListWidgetItem>

#include "attributes/FontEditDlg.h"
#include "frame/HostApi.h"
#include "mobr/Bytes.h"
#include "mobr/host_blocks.h"
#include "mobr/host_types.h"
#include "platform/CodePage.h"

namespace {

constexpr int kSampleMargin = 8;  // row height minus the sample's height

constexpr int kBoldWeight = 700;

}  // namespace

CPageSysAttribute4::CPageSysAttribute4()
    : CAttributeListPage("IDD_PROPS_004", kHelpTopic, Table::Fonts, 0, kRowHeight)
{
}

QFont CPageSysAttribute4::fontOfDescription(const unsigned char* description)
{
    using namespace mobr::logfont;
    QFont font;
    font.setFamilies({mobr::cp932::toQString(mobr::bytes::text(description, kFace, kFaceBytes - 1))});
    const std::int32_t height = mobr::bytes::i32(description, kHeight);
    if (height != 0) font.setPixelSize(height < 0 ? -height : height);
    const std::int32_t weight = mobr::bytes::i32(description, kWeight);
    font.setWeight(weight >= kBoldWeight ? QFont::Bold : QFont::Normal);
    font.setItalic(description[kItalic] != 0);
    font.setUnderline(description[kUnderline] != 0);
    font.setStrikeOut(description[kStrikeOut] != 0);
    return font;
}

void CPageSysAttribute4::decorateRow(QListWidgetItem& row, int entry) const
{
    const int attrib = hostapi::aatFntGetAttrib(table(), entry);
    unsigned char description[mobr::kHostLogFontBytes] = {};
    if (attrib < 0 || !(attrib & kEdited) || hostapi::aatFntGetLogFont(table(), entry, description) != 0) {
        row.setData(Qt::FontRole, QVariant());
        return;
    }
    using namespace mobr::logfont;
    mobr::bytes::setI32(description, kHeight, kRowHeight - kSampleMargin);
    mobr::bytes::setI32(description, kWidth, 0);
    mobr::bytes::setI32(description, kEscapement, 0);
    mobr::bytes::setI32(description, kOrientation, 0);
    row.setFont(fontOfDescription(description));
}

void CPageSysAttribute4::writeStyle(int entry)
{
    int attrib = hostapi::aatFntGetAttrib(table(), entry);
    if (attrib == -1) return;
    attrib |= kEdited;
    attrib = edited_.bold ? (attrib | kBold) : (attrib & ~kBold);
    attrib = edited_.italic ? (attrib | kItalic) : (attrib & ~kItalic);
    hostapi::aatFntSetAttrib(table(), entry, attrib);
}

int CPageSysAttribute4::applyEditor(int entry)
{
    // Fonts are referred to by number: a rename is not recorded.
    entry = nameEntry(entry, edited_.name);
    if (entry < 1) return entry;
    hostapi::aatFntSetFaceName(table(), entry, edited_.face.c_str());
    writeStyle(entry);
    return entry;
}
