#pragma once

#include <memory>
#include <string>
#include <vector>

#include "atrcnv/AtrCnvTypes.h"
#include "mobrcctl/ZqFieldBinder.h"
#include "mobrcctl/ZqListCtrl.h"
#include "mobrdlg/ZqFieldLink.h"
#include "mobrdlg/ZqPopupMenu.h"
#include "mobrdlg/ZqPropertyPage.h"

class CAtrCnvSheet;

// The settings page of the attribute conversion ("IDD_ATRCNVP_001"): loads
// the reference figure (browse or history), chooses a definition file
// (browse, the automatic file, history), previews and executes its entries,
// saves the present conversion, holds the merge options, and on OK runs the
// closing step that records the automatic definition and the history.
//
// The working history lists change while the sheet is open; only the lists
// as read at start, plus what was in effect at OK, are written back.
class CCnvSettingPage : public CZqPropertyPage, public CZqFieldLink {
    Q_OBJECT
public:
    enum Control : int {
        kMergePens = 1101,
        kMergeWidths = 1102,
        kMergeColours = 1103,
        kUseDefinitionReference = 1104,
        kPreviewPens = 1301,
        kPreviewWidths = 1302,
        kPreviewColours = 1303,
        kDefinitionText = 1401,
        kReferencePath = 1402,
        kDefinitionReference = 1403,
        kDefinitionMenu = 1501,
        kSaveAs = 1502,
        kExecute = 1503,
        kReferenceMenu = 1504,
        kPreviewList = 1601,
        kDefinitionLabel = 1702,
        kMergeLabel = 1704,
        kMergeNote = 1705,
        kSaveLabel = 1706,
        kPreviewLabel = 1707,
    };
    enum Item : int {
        kItemMergePens = 30001,
        kItemMergeWidths,
        kItemMergeColours,
        kItemUseDefinitionReference,
        kItemPreviewKind,
        kItemDefinitionText,
        kItemReferencePath,
        kItemDefinitionReference,
    };
    enum MenuCommand : int {
        kCmdBrowseDefinition = 3500,
        kCmdAutomaticDefinition = 3501,
        kCmdFirstDefinitionHistory = 3502,
        kCmdLastDefinition = 3549,
        kCmdBrowseReference = 3550,
        kCmdFirstReferenceHistory = 3551,
        kCmdLastReference = 3599,
    };
    enum PreviewKind : int { kPreviewPenEntries = 0, kPreviewWidthEntries = 1, kPreviewColourEntries = 2 };
    enum Message : int {
        kMsgNoReference = 7285,
        kMsgBadDefinition = 7286,
        kMsgReferenceNotLoaded = 7287,
        kMsgNothingToSave = 7288,
        kMsgDefinitionReferenceNotUsed = 7292,
        kMsgDefinitionReferenceMissing = 7293,
        kMsgReferenceMissing = 7294,
        kMsgDefinitionReferenceKept = 7295,
        kMsgDefinitionReferenceFailed = 7297,
        kMsgNamesLeftOut = 7296,
    };
    enum Text : int {
        kStrReferenceFilter = 7155,
        kStrDefinitionFilter = 7156,
        kStrReferenceTitle = 7176,
        kStrDefinitionTitle = 7177,
        kStrSaveTitle = 7178,
        kStrAutomatic = 7179,
        kStrBrowse = 7180,
        kStrNoColour = 7009,
    };
    static constexpr int kHelpTopic = 488;

    explicit CCnvSettingPage(CAtrCnvSheet& sheet);
    ~CCnvSettingPage() override;

    static const std::vector<ZqField>& fieldTable();

    bool mergePens() const { return fieldSet().valueOf(kMergePens) != 0; }
    bool mergeWidths() const { return fieldSet().valueOf(kMergeWidths) != 0; }
    bool mergeColours() const { return fieldSet().valueOf(kMergeColours) != 0; }
    const std::string& referencePath() const;
    const std::string& definitionPath() const { return definitionPath_; }
    const std::vector<std::string>& referenceHistory() const { return referenceHistory_; }
    const std::vector<std::string>& definitionHistory() const { return definitionHistory_; }

    // Saves the conversion into the automatic definition file (only when
    // something changed) and writes the history as read at start plus the
    // reference and definition in effect now.
    void closingStep();

    // The two menus' items as they would be shown now.
    std::vector<ZqMenuItem> definitionMenu() const;
    std::vector<ZqMenuItem> referenceMenu() const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnHelp() override;
    bool OnKillActive() override;
    void OnOK() override;

private:
    // Values of the controls into the field set (check boxes, radios).
    void takeControls();
    void setText(int control, const std::string& text);
    const std::string& textOf(int control) const;
    void showPopup(int button, const std::vector<ZqMenuItem>& items);
    int message(int id);

    // Definition files.
    void onDefinitionCommand(int id);
    bool browseDefinition(std::string& path);
    bool chooseDefinition(const std::string& path, const std::string& shownText);
    void definitionChosen();
    void showPreview(int kind);
    void fillPreviewColumns(const std::vector<std::pair<int, double>>& columns);

    // Reference figures.
    void onReferenceCommand(int id);
    bool loadReference(const std::string& path, bool force);
    void updateEnabling();
    std::string startFolder() const;

    // Execute and save.
    void execute();
    bool loadDefinitionReference();
    void saveAs();
    void reportUnwritable(const std::vector<atrcnv::UnwritableName>& names);

    CAtrCnvSheet& sheet_;
    std::unique_ptr<CZqFieldBinder> binder_;
    CZqListCtrl preview_;
    std::string definitionPath_;
    std::string historyFile_;
    std::string automaticFile_;
    std::vector<std::string> referenceHistory_, definitionHistory_;
    std::vector<std::string> savedReferenceHistory_, savedDefinitionHistory_;
};
