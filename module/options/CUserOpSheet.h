#pragma once

#include <string>

#include "mobrdlg/ZqLinkDialog.h"
#include "options/UserOpValues.h"

class CUserOpApplyLog;
class CZqSheetTabs;

// The options dialog ("IDD_S_017"): a modal dialog whose tab control shows
// the ten option pages as child dialogs, one at a time. All pages are built
// when it opens. The page shown must pass its check before another tab is
// shown, before OK, before a template is saved and before the report; OK
// then lets the pages that own their values write them to the host.
// The dialog does not own its pages.
class CUserOpSheet : public CZqLinkDialog {
    Q_OBJECT
public:
    enum Control : int {
        kSaveTemplate = 1501,
        kReport = 1502,
        kTabs = 1901,
        kPageFrame = 1921,
    };
    enum Item : int { kItemApplyMode = 30001, kItemTemplateFile = 30001, kItemTemplateFolder = 30002 };
    static constexpr int kTemplateCloseText = 7028;
    static constexpr int kTabTitleBytes = 256;

    explicit CUserOpSheet(CUserOpApplyLog& log);
    ~CUserOpSheet() override;

    // 30001: 1 the options go to the host on OK, 0 only a template is edited.
    int SetPageInt(int item, int value) override;
    int GetPageInt(int item, int* value) override;
    // 30001 the template file name, 30002 its folder (host code page).
    int SetPageString(int item, const char* text) override;

    // Puts `page` into tab slot 0..9; false for a slot beyond them.
    bool SetPage(int slot, CUserOpPage* page);
    // The reference parameter list that the load and apply reach with the pages.
    void SetReferenceList(CZqDataLink* list) { pages_.numRef = list; }
    const UserOpPages& pages() const { return pages_; }
    // The slot shown, -1 before the dialog opened.
    int currentSlot() const;
    CUserOpPage* currentPage() const;
    // A template was saved from the dialog.
    bool templateSaved() const { return templateSaved_; }

    CZqWindow* windowOf(int id) override;
    bool switchPage(int index) override;
    std::string shownPageName() const override;
    int pageIndexOf(const std::string& layout) const override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnHelp() override;

private:
    void addPages();
    bool selectTab(int index);
    bool tabKey(int key, Qt::KeyboardModifiers modifiers);
    bool pageKey(int key, Qt::KeyboardModifiers modifiers);
    bool currentPageValid();
    void acceptOptions();
    void saveTemplate();

    CUserOpApplyLog& log_;
    UserOpPages pages_;
    CZqSheetTabs* tabs_ = nullptr;  // owned by the dialog (Qt parent)
    int applyMode_ = 1;
    std::string templateFile_;
    std::string templateFolder_;
    bool templateSaved_ = false;
};
