#include "mobrdlg/ZqSheetTabs.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>

CZqSheetTabs::CZqSheetTabs(QWidget* parent, Request request, PageKey pageKey)
    : QTabWidget(parent), request_(std::move(request)), pageKey_(std::move(pageKey))
{
    tabBar()->installEventFilter(this);
}

void CZqSheetTabs::keyPressEvent(QKeyEvent* event)
{
    if (pageKey_(event->key(), event->modifiers())) return;
    QTabWidget::keyPressEvent(event);
}

bool CZqSheetTabs::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != tabBar()) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return true;
        const int index = tabBar()->tabAt(mouse->position().toPoint());
        if (index >= 0 && index != currentIndex()) request_(index);
        return true;
    }
    case QEvent::Wheel:
        return true;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (pageKey_(key->key(), key->modifiers())) return true;
        int target = -1;
        switch (key->key()) {
        case Qt::Key_Left: target = currentIndex() - 1; break;
        case Qt::Key_Right: target = currentIndex() + 1; break;
        case Qt::Key_Home: target = 0; break;
        case Qt::Key_End: target = count() - 1; break;
        default: return false;
        }
        if (target >= 0 && target < count()) request_(target);
        return true;
    }
    default:
        return false;
    }
}
