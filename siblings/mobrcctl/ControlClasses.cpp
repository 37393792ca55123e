#include "mobrcctl/ControlClasses.h"

#include "mobrcctl/ZqSpinEdit.h"
#include "mobrdlg/ZqUiLoader.h"

void ZqRegisterControlClasses() {
    ZqRegisterWidgetClass(QStringLiteral("ZqSpinEdit"), [](QWidget* parent) { return new ZqSpinEdit(parent); });
}

namespace {

// Registers the classes when the library is loaded and takes them back when
// it is unloaded: the dialog library may outlive this one (a host unloading
// the settings module), and must then hold no factory whose code is gone.
struct ClassRegistration {
    ClassRegistration() { ZqRegisterControlClasses(); }
    ~ClassRegistration() { ZqRegisterWidgetClass(QStringLiteral("ZqSpinEdit"), nullptr); }
};
const ClassRegistration kRegistration;

}  // namespace
