#pragma once

// Builds the options dialog with its pages, hands the pages their values,
// runs it and, on OK in apply mode 1, writes the values to the host.
//   apply 1: the options go to the host (aapLopt); 0: only a template is edited.
//   folder, file: the template's folder and file name (host code page).
// Returns 0 (OK, or any other end), -1 (the dialog could not be shown:
// host warning 9000) or -2 (Cancel).
int RunUserOpSheet(int apply, const char* folder, const char* file);

// The options dialog's modal run, replaceable by tests that need a dialog
// which cannot be shown (null restores the real run).
class CUserOpSheet;
using UserOpSheetRunner = int (*)(CUserOpSheet&);
void SetUserOpSheetRunner(UserOpSheetRunner runner);
