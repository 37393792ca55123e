#include "TestDialogs.h"

#include <algorithm>
#include <stdexcept>

#include "mobrdlg/ZqMessageBox.h"

TestEditsDialog::TestEditsDialog(const char* layout, QWidget* parent) : CZqDialog(layout, parent) {}

bool TestEditsDialog::OnInitDialog()
{
    log.push_back("init");
    AddString(1201, "alpha");
    AddString(1201, "beta");
    AddString(1201, "gamma");
    SetCurSel(1201, 0);
    AddString(1601, "row0");
    AddString(1601, "row1");
    SetDlgItemText(1401, "1.0");
    CheckRadioButton(1301, 1303, 1301);
    if (init) return init(*this);
    return true;
}

bool TestEditsDialog::OnCommand(int id)
{
    log.push_back("cmd " + std::to_string(id));
    if (id == throwOnCommand) throw std::runtime_error("handler failed");
    if (id == 1502) {
        TestEditsDialog nested("IDD_TEST_EDITS", this);
        nestedResult = nested.DoModal();
        return true;
    }
    return CZqDialog::OnCommand(id);
}

void TestEditsDialog::OnEditChange(int id) { log.push_back("edit " + std::to_string(id)); }
void TestEditsDialog::OnSelChange(int id) { log.push_back("sel " + std::to_string(id)); }
void TestEditsDialog::OnDblClk(int id) { log.push_back("dbl " + std::to_string(id)); }

bool TestEditsDialog::validScale()
{
    bool ok = false;
    QString::fromStdString(GetDlgItemText(1401)).toDouble(&ok);
    if (ok) return true;
    ZqDlgMessageBox(this, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, 7100,
                    GetDlgItemText(1401).c_str());
    SelectAllText(1401);
    SetFocusTo(1401);
    return false;
}

bool TestEditsDialog::OnKeyDown(int id, int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Return || key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape ||
        key == Qt::Key_Delete || key == Qt::Key_F1)
        log.push_back("key " + std::to_string(id) + " " + std::to_string(key));
    if (id == 1401 && (key == Qt::Key_Return || key == Qt::Key_Tab)) return !validScale();
    return false;
}

bool TestEditsDialog::OnKillFocus(int id, int newId)
{
    log.push_back("kill " + std::to_string(id) + ">" + std::to_string(newId));
    if (id != 1401 || newId == IDOK || newId == IDCANCEL || newId == IDHELP_ZQ) return true;
    return validScale();
}

void TestEditsDialog::OnHelp() { log.push_back("help"); }

void TestEditsDialog::OnOK()
{
    log.push_back("ok");
    if (okValidates && !validScale()) return;
    CZqDialog::OnOK();
}

void TestEditsDialog::OnCancel()
{
    log.push_back("cancel");
    CZqDialog::OnCancel();
}

bool TestEditsDialog::has(const std::string& entry) const
{
    return count(entry) > 0;
}

int TestEditsDialog::count(const std::string& entry) const
{
    return int(std::count(log.begin(), log.end(), entry));
}
