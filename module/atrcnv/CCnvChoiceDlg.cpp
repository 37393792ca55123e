#include "atrcnv/CCnvChoiceDlg.h"

#include <cstring>

#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "frame/HostApi.h"
#include "mobrdlg/ZqResources.h"
#include "platform/CodePage.h"

CCnvChoiceDlg::CCnvChoiceDlg(const char* layoutName, int helpTopic, QWidget* parent)
    : CZqDialog(layoutName, parent), helpTopic_(helpTopic)
{
}

std::string CCnvChoiceDlg::keepLineText(int keepStringId, const std::string& sourceName)
{
    return "*" + GetString(keepStringId) + " - " + sourceName;
}

bool CCnvChoiceDlg::OnInitDialog()
{
    const int line = fillLines();
    SetCurSel(kList, line);
    showSelection();
    return true;
}

int CCnvChoiceDlg::selectedLine() const
{
    return GetCurSel(kList);
}

void CCnvChoiceDlg::drawInto(int placeholder, const std::function<void(QPainter&, const QRect&)>& draw)
{
    auto* label = item<QLabel>(placeholder);
    if (!label) return;
    const QSize size = label->size().expandedTo(label->minimumSize()).expandedTo(QSize(16, 16));
    QPixmap picture(size);
    picture.fill(label->palette().color(QPalette::Window));
    QPainter painter(&picture);
    draw(painter, QRect(QPoint(4, 2), size - QSize(8, 4)));
    painter.end();
    label->setPixmap(picture);
}

void CCnvChoiceDlg::OnSelChange(int id)
{
    if (id == kList) showSelection();
}

void CCnvChoiceDlg::OnDblClk(int id)
{
    if (id == kList) OnOK();
}

void CCnvChoiceDlg::OnHelp()
{
    hostapi::aapRunDlgHelp(helpTopic_);
}

namespace cnvmatch {

bool sameWidth(const atrcnv::WidthRecord& a, const atrcnv::WidthRecord& b)
{
    return mobr::cp932::equalNoCase(a.name(), b.name()) && a.firstValue() == b.firstValue() &&
           a.secondValue() == b.secondValue();
}

bool sameColour(const atrcnv::ColourRecord& a, const atrcnv::ColourRecord& b)
{
    return mobr::cp932::equalNoCase(a.name(), b.name()) && a.colourValue() == b.colourValue();
}

bool samePen(const atrcnv::PenTargetItem& a, const atrcnv::PenTargetItem& b)
{
    using atrcnv::PenRecord;
    if (!mobr::cp932::equalNoCase(a.pen.name(), b.pen.name())) return false;
    if (std::memcmp(a.pen.bytes.data() + PenRecord::kStyleBlock, b.pen.bytes.data() + PenRecord::kStyleBlock,
                    PenRecord::kStyleBlockBytes) != 0)
        return false;
    if (hostapi::aatPenGetMaskEx(a.pen.data()) != hostapi::aatPenGetMaskEx(b.pen.data())) return false;
    if (!sameWidth(a.width, b.width)) return false;
    if (a.colour.isNoColour() || b.colour.isNoColour()) return a.colour.isNoColour() && b.colour.isNoColour();
    return sameColour(a.colour, b.colour);
}

}  // namespace cnvmatch
