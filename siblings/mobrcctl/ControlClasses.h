#pragma once

#include "mobr/export.h"

// Makes this library's widget classes known to the dialog library's layout
// loader, so a layout can name them: "ZqSpinEdit". Runs by itself when the
// library is loaded; calling it again is harmless. In a .ui file the class is
// declared as a custom widget that extends QLineEdit:
//   <customwidget><class>ZqSpinEdit</class><extends>QLineEdit</extends>
//     <header>mobrcctl/ZqSpinEdit.h</header></customwidget>
MOBR_API void ZqRegisterControlClasses();
