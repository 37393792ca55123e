#include "mobrdlg/ZqUiLoader.h"

#include <map>

#include <QBuffer>
#include <QWidget>

#include "mobrdlg/ZqResources.h"

namespace {

std::map<QString, ZqWidgetFactory>& factories()
{
    static std::map<QString, ZqWidgetFactory> byName;
    return byName;
}

}  // namespace

void ZqRegisterWidgetClass(const QString& className, ZqWidgetFactory factory)
{
    if (factory)
        factories()[className] = std::move(factory);
    else
        factories().erase(className);
}

CZqUiLoader::CZqUiLoader(QWidget* root) : QUiLoader(nullptr), root_(root) {}

bool CZqUiLoader::loadInto(const char* name)
{
    QByteArray xml = ZqLoadLayout(name);
    if (xml.isEmpty()) return false;
    ZqUpdateLayoutTranslator();  // QUiLoader translates each text with the layout's name as context
    QBuffer buffer(&xml);
    buffer.open(QIODevice::ReadOnly);
    rootUsed_ = false;
    QWidget* top = load(&buffer, nullptr);
    return top == root_ && rootUsed_;
}

QWidget* CZqUiLoader::createWidget(const QString& className, QWidget* parent, const QString& name)
{
    if (!parent && !rootUsed_) {
        // The layout's top-level widget: build into the existing root.
        rootUsed_ = true;
        return root_;
    }
    auto it = factories().find(className);
    if (it != factories().end()) {
        QWidget* widget = it->second(parent);
        if (widget) {
            widget->setObjectName(name);
            return widget;
        }
    }
    return QUiLoader::createWidget(className, parent, name);
}
