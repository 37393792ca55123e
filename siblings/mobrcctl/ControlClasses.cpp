#include "mobrcctl/ControlClasses.h"

#include "mobrcctl/ZqSpinEdit.h"
#include "mobrdlg/ZqUiLoader.h"

void ZqRegisterControlClasses() {
    ZqRegisterWidgetClass(QStringLiteral("ZqSpinEdit"), [](QWidget* parent) { return new ZqSpinEdit(parent); });
}

namespace {
[[maybe_unused]] const bool kRegistered = (ZqRegisterControlClasses(), true);
}  // namespace
