#pragma once

#include <functional>
#include <string>
#include <vector>

#include "mobrdlg/ZqDialog.h"

// The test dialog IDD_TEST_EDITS: logs every handler call ("cmd 1101",
// "edit 1401", "kill 1401>1402", ...) and validates edit 1401 (a number) the
// way the module's dialogs do: on losing the focus to another field, on Enter
// and on Tab, with warning 7100; leaving it for OK, Cancel or help does not
// validate. Button 1502 opens a nested instance.
class TestEditsDialog : public CZqDialog {
public:
    explicit TestEditsDialog(const char* layout = "IDD_TEST_EDITS", QWidget* parent = nullptr);

    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnEditChange(int id) override;
    void OnSelChange(int id) override;
    void OnDblClk(int id) override;
    bool OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers) override;
    bool OnKillFocus(int id, int newId) override;
    void OnHelp() override;
    void OnOK() override;
    void OnCancel() override;

    bool validScale();
    bool has(const std::string& entry) const;
    int count(const std::string& entry) const;

    std::vector<std::string> log;
    std::function<bool(TestEditsDialog&)> init;   // replaces the default OnInitDialog body
    int throwOnCommand = 0;                        // a command id whose handler throws
    int nestedResult = 0;                          // what the nested dialog returned
    bool okValidates = true;
};
