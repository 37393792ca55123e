#pragma once

#include <string>
#include <vector>

#include <QPoint>

#include "mobr/export.h"

class QWidget;

// One item of a popup menu: id 0 is a separator. Texts in host code page
// ('&' marks the mnemonic).
struct ZqMenuItem {
    int id = 0;
    std::string text;
    bool enabled = true;
    bool checked = false;
};

// Shows a popup menu at `globalPos` and returns the id of the chosen item, or
// 0 when the menu was dismissed. With a UI driver installed, the driver
// picks the item instead.
MOBR_API int ZqPopupMenu(QWidget* owner, const std::vector<ZqMenuItem>& items,
                         const QPoint& globalPos);
