#include "mobrdlg/ZqPropertyPage.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

#include "mobrdlg/ZqResources.h"

namespace {

// The window title of a layout, read from its .ui text without building it,
// so that tabs of pages not shown yet carry their real titles.
QString layoutTitle(const std::string& layoutName)
{
    QXmlStreamReader xml(ZqLoadLayout(layoutName.c_str()));
    int depth = 0;
    bool inTitle = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            // <ui><widget><property name="windowTitle"><string>: the top widget's own property.
            if (depth == 3 && xml.name() == QLatin1String("property") &&
                xml.attributes().value(QLatin1String("name")) == QLatin1String("windowTitle"))
                inTitle = true;
            else if (inTitle && xml.name() == QLatin1String("string"))
                return xml.readElementText();
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            if (depth < 3) inTitle = false;
            break;
        default: break;
        }
    }
    return {};
}

}  // namespace

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
    const QString title = layoutTitle(layoutName_);
    if (!title.isEmpty()) {
        // Translated as the loader would translate it once the page is built.
        ZqUpdateLayoutTranslator();
        return QCoreApplication::translate(layoutName_.c_str(), title.toUtf8().constData());
    }
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
