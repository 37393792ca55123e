#include "attributes/CPageSysAttribute4.h"

#include <cstdint>
#include <cstring>

#include <QListWidgetItem>
#include <QSize>

#include "attributes/FontEditDlg.h"
#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "platform/CodePage.h"

namespace {

constexpr int kMsgAddFailed = 7269;
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

CPageSysAttribute4::CPageSysAttribute4() : CAttributeListPage("IDD_PROPS_004", kHelpTopic, 0) {}

CPageSysAttribute4::~CPageSysAttribute4() = default;

int CPageSysAttribute4::SetPageData(int item, std::intptr_t value)
{
    if (item != kItemFonts) return 0;
    fonts_ = reinterpret_cast<void*>(value);
    return 1;
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

bool CPageSysAttribute4::hasTable() const
{
    return fonts_ != nullptr;
}

int CPageSysAttribute4::tableCount() const
{
    return hostapi::aatFntGetCount(fonts_);
}

std::string CPageSysAttribute4::entryName(int entry) const
{
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatFntGetName(fonts_, entry, name);
    return name;
}

int CPageSysAttribute4::findEntry(const std::string& name) const
{
    return name.empty() ? -1 : hostapi::aatFntFindName(fonts_, name.c_str());
}

bool CPageSysAttribute4::entryInUse(int entry) const
{
    const int attrib = hostapi::aatFntGetAttrib(fonts_, entry);
    return attrib >= 0 && (attrib & kInUse);
}

void CPageSysAttribute4::decorateRow(QListWidgetItem& row, int entry) const
{
    row.setSizeHint(QSize(row.sizeHint().width(), kRowHeight));
    const int attrib = hostapi::aatFntGetAttrib(fonts_, entry);
    unsigned char description[mobr::kHostLogFontBytes] = {};
    if (attrib < 0 || !(attrib & kEdited) || hostapi::aatFntGetLogFont(fonts_, entry, description) != 0) {
        row.setData(Qt::FontRole, QVariant());
        return;
    }
    writeInt32(description, kHeightAt, kRowHeight - kSampleMargin);
    writeInt32(description, kWidthAt, 0);
    writeInt32(description, kEscapementAt, 0);
    writeInt32(description, kOrientationAt, 0);
    row.setFont(fontOfDescription(description));
}

bool CPageSysAttribute4::runEditor(int entry)
{
    CFontEditDlg editor(fonts_, entry, entry > 0 ? CFontEditDlg::Mode::Modify : CFontEditDlg::Mode::New, this);
    if (editor.DoModal() != 1) return false;
    name_ = editor.name();
    face_ = editor.faceName();
    bold_ = editor.bold();
    italic_ = editor.italic();
    return true;
}

void CPageSysAttribute4::writeStyle(int entry)
{
    int attrib = hostapi::aatFntGetAttrib(fonts_, entry);
    if (attrib == -1) return;
    attrib |= kEdited;
    attrib = bold_ ? (attrib | kBold) : (attrib & ~kBold);
    attrib = italic_ ? (attrib | kItalic) : (attrib & ~kItalic);
    hostapi::aatFntSetAttrib(fonts_, entry, attrib);
}

int CPageSysAttribute4::createEntry()
{
    const int entry = hostapi::aatFntNewInfo(fonts_, name_.c_str());
    if (entry < 1) return entry;
    hostapi::aatFntSetFaceName(fonts_, entry, face_.c_str());
    writeStyle(entry);
    return entry;
}

int CPageSysAttribute4::createFailedMessage() const
{
    return kMsgAddFailed;
}

void CPageSysAttribute4::updateEntry(int entry)
{
    hostapi::aatFntSetName(fonts_, entry, name_.c_str());
    hostapi::aatFntSetFaceName(fonts_, entry, face_.c_str());
    writeStyle(entry);
}

bool CPageSysAttribute4::removeEntry(int entry)
{
    return hostapi::aatFntDeleteInfo(fonts_, entry) == 0;
}
