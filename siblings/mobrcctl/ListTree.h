#pragma once

class QTreeWidget;

namespace cctl {

// Makes a layout's tree widget behave as a flat multi-column list: no tree
// decoration, one selected row at a time, whole rows selected.
void prepareListTree(QTreeWidget* tree);

}  // namespace cctl
