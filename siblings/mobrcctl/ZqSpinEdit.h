#pragma once

#include <QLineEdit>

#include "mobr/export.h"

class ZqSpinButtons;

// The spin edit widget a layout names by class ("ZqSpinEdit"): a line edit
// that takes any text, with arrow buttons that step its number within a range.
// Registered with the dialog library's widget factory by registerWidgetClasses.
class MOBR_API ZqSpinEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ZqSpinEdit(QWidget* parent = nullptr);
    ZqSpinButtons* spin() const { return spin_; }

private:
    ZqSpinButtons* spin_;
};
