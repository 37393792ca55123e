#include "mobrdlg/ZqPropertyPage.h"

#include "mobrdlg/ZqResources.h"

CZqPropertyPage::CZqPropertyPage(const char* layoutName, int captionId)
    : QWidget(nullptr), layoutName_(layoutName ? layoutName : ""), captionId_(captionId)
{
}

CZqPropertyPage::~CZqPropertyPage() = default;

QWidget* CZqPropertyPage::rootWidget() const
{
    return const_cast<CZqPropertyPage*>(this);
}

QString CZqPropertyPage::caption() const
{
    if (captionId_) {
        QString text = ZqGetQString(captionId_);
        if (!text.isNull()) return text;
    }
    if (created_ && !windowTitle().isEmpty()) return windowTitle();
    return QString::fromStdString(layoutName_);
}

bool CZqPropertyPage::createPage()
{
    if (created_) return true;
    if (!buildLayout(layoutName_.c_str())) return false;
    created_ = true;
    OnInitDialog();
    return true;
}

bool CZqPropertyPage::OnSetActive() { return true; }
bool CZqPropertyPage::OnKillActive() { return true; }
