#pragma once

#include <cstdint>
#include <string>

#include "mobrdlg/ZqDialog.h"

// The work option set at start-up ("IDD_S_028"): the valid option sets of
// the work folder (an "FTU" option file and an "ORG" file of one stem). OK
// makes the chosen set current and copies its files over the standard
// system files; Cancel goes back to the standard set. Either way the host
// then saves "MOBR.SYS".
class CWorkUserOptDlg : public CZqDialog {
    Q_OBJECT
public:
    static constexpr int kSets = 1601;

    CWorkUserOptDlg();

    const std::string& workFolder() const { return workFolder_; }

    // The background colour of an option file ("SysAtrib", "SysCol2":
    // a name and three numbers 0 to 255) packed as red + green * 256 +
    // blue * 65536; black for "!", a missing key or anything else.
    static uint32_t BackgroundColour(const std::string& optionFile);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void fillSets();
    // Copies `source` over the system folder's `target`; a file that could
    // not be restored is named to the user. False when it was not restored.
    bool restore(const std::string& source, const char* target);
    void saveSystemFile();

    std::string workFolder_;
};

// The system folder, empty when the host has none.
std::string HostSystemFolder();
// `name` in the system folder as the host joins paths; the bare name when
// there is no system folder.
std::string SystemFilePath(const std::string& name);
