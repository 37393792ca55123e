#include "atrcnv/CCnvChoiceDlg.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "frame/HostApi.h"
#include "mobrdlg/ZqResources.h"

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
