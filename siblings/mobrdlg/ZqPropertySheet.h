#pragma once

#include <string>
#include <vector>

#include <QPointer>

#include "mobr/export.h"
#include "mobrdlg/ZqDialog.h"
#include "mobrdlg/ZqPropertyPage.h"

class CZqSheetTabs;
class QPushButton;

// A property sheet: pages on tabs, with OK, Cancel and an optional help
// button (ids 1, 2, 1000). DoModal runs it like a dialog.
//
// - Pages are added in display order and stay owned by the caller; a page is
//   created (layout, OnInitDialog) when it is first shown.
// - Switching pages, by a click on a tab, the tab bar's keys, Ctrl+Tab /
//   Ctrl+PageDown (next) and Ctrl+Shift+Tab / Ctrl+PageUp (previous), or
//   SetActivePage, first asks the page shown for OnKillActive; false keeps
//   the user there. The new page then gets OnSetActive (false: stay).
// - OK asks the active page for OnKillActive, then calls OnOK of every page
//   that was created and ends with 1. Cancel calls OnCancel of every created
//   page and ends with 2.
class MOBR_API CZqPropertySheet : public CZqDialog {
    Q_OBJECT
public:
    // `caption` in host code page.
    CZqPropertySheet(const std::string& caption, QWidget* parent = nullptr, int firstPage = 0);
    CZqPropertySheet(int captionId, QWidget* parent = nullptr, int firstPage = 0);
    ~CZqPropertySheet() override;

    void AddPage(CZqPropertyPage* page);
    int GetPageCount() const { return int(pages_.size()); }
    CZqPropertyPage* GetPage(int index) const;
    CZqPropertyPage* GetActivePage() const;
    int GetActiveIndex() const { return active_; }
    int GetPageIndex(const CZqPropertyPage* page) const;
    // Switches pages with the checks above; false when refused. Before the
    // sheet is shown it only chooses the first page.
    bool SetActivePage(int index);
    bool SetActivePage(CZqPropertyPage* page);
    // The help button is hidden unless shown here.
    void ShowHelpButton(bool show);
    // The name the UI driver records and checks (default: the caption, UTF-8).
    void SetSheetName(const std::string& name) { name_ = name; }

    CZqWindow* windowOf(int id) override;
    bool switchPage(int index) override;
    std::string scriptName() const override;
    std::string shownPageName() const override;
    int pageIndexOf(const std::string& layout) const override;

    void OnOK() override;
    void OnCancel() override;
    // Help goes to the active page.
    void OnHelp() override;

protected:
    bool prepareShow() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build(const QString& caption, int firstPage);
    void reserveLayoutSizes();
    bool activate(int index, bool checkLeave);
    bool pageKey(int key, Qt::KeyboardModifiers modifiers);
    void focusFirstControl(CZqPropertyPage* page);
    void onCurrentChanged(int index);

    std::vector<QPointer<CZqPropertyPage>> pages_;
    CZqSheetTabs* tabs_ = nullptr;   // owned by the sheet (Qt parent)
    QPushButton* help_ = nullptr;    // owned by the sheet (Qt parent)
    int first_ = 0;
    int active_ = -1;
    bool switching_ = false;
    std::string name_;
};
