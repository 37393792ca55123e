#pragma once

#include <string>

#include "mobrdlg/ZqDialog.h"

// Choosing the user template ("IDD_S_008"): the templates of a folder, the
// one made current on OK, editing one in the options dialog, deleting one,
// and which template the program starts with. Cancel sets the template and
// folder back to those current when the dialog opened.
class CUserTempSelDlg : public CZqDialog {
    Q_OBJECT
public:
    enum Control : int {
        kFolder = 1201,
        kWarning = 1401,
        kStartFolder = 1402,
        kStartTemplate = 1403,
        kEdit = 1501,
        kDelete = 1502,
        kTemplates = 1601,
        kStartGroup = 1701,
        kStartCaption = 1710,
    };
    static constexpr int kHelpTopic = 38;

    CUserTempSelDlg();

    const std::string& currentFile() const { return file_; }
    int currentFolder() const { return folder_; }

    // The start-up folder number of a "UserTempCurDir" value: the whole
    // value as a number from 1 to `max`, else 1.
    static int StartFolderNumber(const std::string& value, int max);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnDblClk(int id) override;
    bool OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers) override;
    void OnHelp() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void fillTemplates();
    void updateButtons();
    void editTemplate();
    void deleteTemplate();
    void showStartRecord();
    void showStart(const std::string& file, int folder);
    void finish(const std::string& file, int folder, int result);
    bool isSystemFile(const std::string& file) const;
    std::string displayName(const std::string& file) const;
    std::string folderOf(const std::string& file, int folder) const;
    std::string pathOf(const std::string& file, int folder) const;

    std::string file_;
    int folder_ = 1;
    std::string openedFile_;
    int openedFolder_ = 1;
    std::string standardFile_;
    std::string defaultFile_;
};
