#pragma once

#include <functional>

#include <QTabWidget>

#include "mobr/export.h"

// The tab widget of a property sheet. Every way a person switches pages (a
// click on a tab, the tab bar's keys, Ctrl+Tab and its kin, the wheel over
// the tabs) goes through `request`, which may refuse the switch. The options
// dialog of the settings module uses it for its pages as well.
class MOBR_API CZqSheetTabs : public QTabWidget {
    Q_OBJECT
public:
    using Request = std::function<bool(int index)>;
    using PageKey = std::function<bool(int key, Qt::KeyboardModifiers modifiers)>;
    CZqSheetTabs(QWidget* parent, Request request, PageKey pageKey);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Request request_;
    PageKey pageKey_;
};
