#include "attributes/CPageSysAttribute4.h"

#include <cstdint>
#include <cstring>

#include <QListWidgetItem>

#include "attributes/FontEditDlg.h"
#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "platform/CodePage.h"

namespace {

constexpr int kSampleMargin = 8;  // row height minus the sample's height

// Fields of the 60-byte font description.
constexpr std::size_t kHeightAt = 0;
constexpr std::size_t kWidthAt = 4;
constexpr std::size_t kEscapementAt = 8;
constexpr std::size_t kOrientationAt = 12;
constexpr std::size_t kWeightAt = 16;
constexpr std::size_t kItalicAt = 20;
constexpr std::size_t kUnderlineAt = 21;
constexpr std::size_t kStrikeOutAt = 22;
constexpr std::size_t kFaceAt = 28;
constexpr int kBoldWeight = 700;

std::int32_t readInt32(const unsigned char* block, std::size_t at)
{
    std::int32_t value = 0;
    std::memcpy(&value, block + at, sizeof value);
    return value;
}

void writeInt32(unsigned char* block, std::size_t at, std::int32_t value)
{
    std::memcpy(block + at, &value, sizeof value);
}

}  // namespace

CPageSysAttribute4::CPageSysAttribute4()
    : CAttributeListPage("IDD_PROPS_004", kHelpTopic, Table::Fonts, 0, kRowHeight)
{
}

QFont CPageSysAttribute4::fontOfDescription(const unsigned char* description)
{
    char face[mobr::kHostFaceNameBytes] = {};
    std::memcpy(face, description + kFaceAt, sizeof face - 1);
    QFont font;
    font.setFamilies({mobr::cp932::toQString(face)});
    const std::int32_t height = readInt32(description, kHeightAt);
    if (height != 0) font.setPixelSize(height < 0 ? -height : height);
    const std::int32_t weight = readInt32(description, kWeightAt);
    font.setWeight(weight >= kBoldWeight ? QFont::Bold : QFont::Normal);
    font.setItalic(description[kItalicAt] != 0);
    font.setUnderline(description[kUnderlineAt] != 0);
    font.setStrikeOut(description[kStrikeOutAt] != 0);
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
    writeInt32(description, kHeightAt, kRowHeight - kSampleMargin);
    writeInt32(description, kWidthAt, 0);
    writeInt32(description, kEscapementAt, 0);
    writeInt32(description, kOrientationAt, 0);
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
