#include "attributes/CPageSysAttribute2.h"

#include <cmath>

#include <QListWidgetItem>

#include "attributes/WidthEditDlg.h"
#include "frame/HostApi.h"
#include "mobr/host_types.h"
#include "mobrcctl/ZqSampleDelegate.h"

namespace {
constexpr int kMsgAddFailed = 7267;
}

CPageSysAttribute2::CPageSysAttribute2() : CAttributeListPage("IDD_PROPS_002", kHelpTopic, kSampleHeading) {}

CPageSysAttribute2::~CPageSysAttribute2() = default;

int CPageSysAttribute2::SetPageData(int item, std::intptr_t value)
{
    if (item != kItemWidths) return 0;
    widths_ = reinterpret_cast<void*>(value);
    return 1;
}

bool CPageSysAttribute2::hasTable() const
{
    return widths_ != nullptr;
}

int CPageSysAttribute2::tableCount() const
{
    return hostapi::aatWidGetCount(widths_);
}

std::string CPageSysAttribute2::entryName(int entry) const
{
    char name[mobr::kHostNameBufferBytes] = {};
    hostapi::aatWidGetName(widths_, entry, name);
    return name;
}

int CPageSysAttribute2::findEntry(const std::string& name) const
{
    return name.empty() ? -1 : hostapi::aatWidFindName(widths_, name.c_str());
}

bool CPageSysAttribute2::entryInUse(int entry) const
{
    const int attrib = hostapi::aatWidGetAttrib(widths_, entry);
    return attrib >= 0 && (attrib & kUsedByPen);
}

void CPageSysAttribute2::decorateRow(QListWidgetItem& row, int entry) const
{
    const double width = hostapi::aatWidGetWidth(widths_, entry);
    row.setData(ZqSampleDelegate::SampleKindRole, int(ZqSampleDelegate::LineSample));
    row.setData(ZqSampleDelegate::LineWidthRole, hostapi::aatDrwGetWidthCount(static_cast<int>(width * 100)));
}

bool CPageSysAttribute2::runEditor(int entry)
{
    CWidthEditDlg editor(widths_, entry, entry > 0 ? CWidthEditDlg::Mode::Modify : CWidthEditDlg::Mode::New, this);
    if (editor.DoModal() != 1) return false;
    name_ = editor.name();
    width_ = editor.width();
    plotPen_ = editor.plotPen();
    return true;
}

int CPageSysAttribute2::createEntry()
{
    const int entry = hostapi::aatWidNewInfo(widths_, name_.c_str());
    if (entry < 1) return entry;
    hostapi::aatWidSetWidth(widths_, entry, width_);
    hostapi::aatWidSetPlotPen(widths_, entry, plotPen_);
    return entry;
}

int CPageSysAttribute2::createFailedMessage() const
{
    return kMsgAddFailed;
}

void CPageSysAttribute2::updateEntry(int entry)
{
    const std::string old = entryName(entry);
    hostapi::aatWidSetName(widths_, entry, name_.c_str());
    // Only a real rename goes to the rename list: a pair naming the same
    // width twice would stop a later rename of it from reaching the sketch data.
    if (old != name_) hostapi::AddWidthNameStringList(old.c_str(), name_.c_str());
    hostapi::aatWidSetWidth(widths_, entry, width_);
    hostapi::aatWidSetPlotPen(widths_, entry, plotPen_);
}

bool CPageSysAttribute2::removeEntry(int entry)
{
    return hostapi::aatWidDeleteInfo(widths_, entry) == 0;
}
