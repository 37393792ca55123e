#include "mobrcctl/ZqSpinEdit.h"

#include "mobrcctl/ZqSpinButtons.h"

ZqSpinEdit::ZqSpinEdit(QWidget* parent) : QLineEdit(parent), spin_(ZqSpinButtons::of(this)) {}
