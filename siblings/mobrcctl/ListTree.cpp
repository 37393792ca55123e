#include "mobrcctl/ListTree.h"

#include <QTreeWidget>

namespace cctl {

void prepareListTree(QTreeWidget* tree)
{
    tree->setRootIsDecorated(false);
    tree->setItemsExpandable(false);
    tree->setUniformRowHeights(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setAllColumnsShowFocus(true);
}

}  // namespace cctl
