#include "mobrdlg/ZqPopupMenu.h"

#include <QMenu>

#include "mobrdlg/ZqText.h"
#include "mobrdlg/ZqUiDriver.h"

int ZqPopupMenu(QWidget* owner, const std::vector<ZqMenuItem>& items, const QPoint& globalPos)
{
    if (CZqUiDriver* driver = CZqUiDriver::current()) return driver->popupMenu(items);
    QMenu menu(owner);
    for (const ZqMenuItem& item : items) {
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(zqToQString(item.text));  // owned by the menu
        action->setData(item.id);
        action->setEnabled(item.enabled);
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
    QAction* chosen = menu.exec(globalPos);
    return chosen ? chosen->data().toInt() : 0;
}
