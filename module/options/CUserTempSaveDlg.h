#pragma once

#include <string>

#include "mobrdlg/ZqDialog.h"
#include "options/UserOpValues.h"

class CUserOpApplyLog;

// Saving the options as a user template ("IDD_S_007"): a folder and a name;
// OK writes the pages' values to the host and the host's options into the
// template file, and adds the template to the host's template menu.
class CUserTempSaveDlg : public CZqDialog {
    Q_OBJECT
public:
    enum Control : int { kName = 1201, kFolder = 1202 };
    static constexpr int kHelpTopic = 483;

    // `file` and `folder`: the template the options dialog edits (host code page).
    CUserTempSaveDlg(QWidget* parent, const UserOpPages& pages, CUserOpApplyLog& log, std::string file,
                     std::string folder);

    // A template was written.
    bool saved() const { return saved_; }
    // The path written, empty before.
    const std::string& savedPath() const { return savedPath_; }

protected:
    bool OnInitDialog() override;
    void OnSelChange(int id) override;
    void OnHelp() override;
    void OnOK() override;

private:
    void fillNames();
    void selectName(bool foundTemplates);
    int selectedFolder() const { return GetCurSel(kFolder) + 1; }
    // The file the typed name stands for, empty when the name is refused
    // or the user declined to overwrite.
    std::string fileForName(const std::string& name);
    bool refuseName(int messageId, const char* argument = nullptr);
    bool confirmOverwrite(int messageId, const std::string& name);
    std::string pathOf(const std::string& file) const;

    const UserOpPages& pages_;
    CUserOpApplyLog& log_;
    std::string file_;
    std::string folder_;
    bool saved_ = false;
    std::string savedPath_;
};
