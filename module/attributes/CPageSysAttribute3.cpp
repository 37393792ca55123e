#include "attributes/CPageSysAttribute3.h"

#include <QListWidget>
#include <QListWidgetItem>

#include "attributes/ColourEditDlg.h"
#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "mobrcctl/ZqSampleDelegate.h"
#include "mobrcctl/ZqSamplePainter.h"

namespace {
constexpr int kMsgAddFailed = 7268;
}

CPageSysAttribute3::CPageSysAttribute3() : CAttributeListPage("IDD_PROPS_003", kHelpTopic, kSampleHeading) {}

CPageSysAttribute3::~CPageSysAttribute3() = default;

int CPageSysAttribute3::SetPageData(int item, std::intptr_t value)
{
    switch (item) {
    case kItemColours: colours_ = reinterpret_cast<void*>(value); return 1;
    case kItemPenColours: penColours_ = reinterpret_cast<void*>(value); return 1;
    default: return 0;
    }
}

bool CPageSysAttribute3::OnSetActive()
{
    if (colours_ && penColours_) hostapi::aatColSetUseFlgPenEx(penColours_, colours_);
    refreshButtons();
    return CAttributeListPage::OnSetActive();
}

bool CPageSysAttribute3::hasTable() const
{
    return colours_ != nullptr;
}

int CPageSysAttribute3::tableCount() const
{
    return hostapi::aatColGetCount(colours_);
}

std::string CPageSysAttribute3::entryName(int entry) const
{
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatColGetName(colours_, entry, name);
    return name;
}

int CPageSysAttribute3::findEntry(const std::string& name) const
{
    return name.empty() ? -1 : hostapi::aatColFindName(colours_, name.c_str());
}

bool CPageSysAttribute3::entryInUse(int entry) const
{
    const int attrib = hostapi::aatColGetAttrib(colours_, entry);
    return attrib >= 0 && (attrib & kInUse);
}

void CPageSysAttribute3::decorateRow(QListWidgetItem& row, int entry) const
{
    int red = 0, green = 0, blue = 0;
    hostapi::aatColGetRGB(colours_, entry, &red, &green, &blue);
    // The swatch takes the value the host's palette gives for the colour on
    // the list's surface.
    void* surface = row.listWidget() ? static_cast<void*>(row.listWidget()->viewport()) : nullptr;
    const bool palette = surface && hostapi::aatPaletteOpen(surface, colours_) == 0;
    const unsigned word = hostapi::aatPaletteGetColor(red, green, blue);
    if (palette) hostapi::aatPaletteClose(surface);
    row.setData(ZqSampleDelegate::SampleKindRole, int(ZqSampleDelegate::ColourSwatch));
    row.setData(ZqSampleDelegate::ColourRole, ZqSamplePainter::fromColourWord(word));
}

bool CPageSysAttribute3::runEditor(int entry)
{
    CColourEditDlg editor(colours_, entry, entry > 0 ? CColourEditDlg::Mode::Modify : CColourEditDlg::Mode::New,
                          this);
    if (editor.DoModal() != 1) return false;
    name_ = editor.name();
    rgb_[0] = editor.red();
    rgb_[1] = editor.green();
    rgb_[2] = editor.blue();
    return true;
}

int CPageSysAttribute3::createEntry()
{
    const int entry = hostapi::aatColNewInfo(colours_, name_.c_str());
    if (entry < 1) return entry;
    hostapi::aatColSetRGB(colours_, entry, rgb_[0], rgb_[1], rgb_[2]);
    return entry;
}

int CPageSysAttribute3::createFailedMessage() const
{
    return kMsgAddFailed;
}

void CPageSysAttribute3::updateEntry(int entry)
{
    const std::string old = entryName(entry);
    hostapi::aatColSetName(colours_, entry, name_.c_str());
    // Only a real rename goes to the rename list (see the width page).
    if (old != name_) hostapi::AddColorNameStringList(old.c_str(), name_.c_str());
    hostapi::aatColSetRGB(colours_, entry, rgb_[0], rgb_[1], rgb_[2]);
    redecorateRows();
}

bool CPageSysAttribute3::removeEntry(int entry)
{
    if (hostapi::aatColDeleteInfo(colours_, entry) != 0) return false;
    // Pens that had the colour lose it; higher colour numbers move down.
    if (penColours_) hostapi::aatPenExDeleteColor(penColours_, entry);
    return true;
}
