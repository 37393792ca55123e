#pragma once

#include <string>

#include <QString>
#include <QWidget>

#include "mobr/export.h"
#include "mobrdlg/ZqWindow.h"

class CZqPropertySheet;

// A page of a property sheet, built from a layout of the resource module when
// it is first shown. Until then it has no controls (GetDlgItem gives null),
// so values handed in before the sheet runs are kept in members and put into
// the controls by OnInitDialog.
class MOBR_API CZqPropertyPage : public QWidget, public CZqWindow {
    Q_OBJECT
public:
    // `captionId`: string id of the tab's title (0: the layout's window title).
    explicit CZqPropertyPage(const char* layoutName, int captionId = 0);
    ~CZqPropertyPage() override;

    QWidget* rootWidget() const override;
    const std::string& layoutName() const { return layoutName_; }
    int captionId() const { return captionId_; }
    // The tab's title.
    QString caption() const;
    // The layout was loaded and OnInitDialog ran.
    bool IsCreated() const { return created_; }
    // The sheet the page was added to (null before AddPage).
    CZqPropertySheet* GetSheet() const { return sheet_; }

    // The page is about to be shown; return false to stay on the page shown before.
    virtual bool OnSetActive();
    // The user is leaving the page (another page, or OK); return false to keep
    // the user on it (after showing why and putting the focus on the field).
    virtual bool OnKillActive();
    // OnOK (called for every created page when the sheet ends with OK) and
    // OnCancel (for every created page on Cancel) come from CZqWindow.

    // Loads the layout and runs OnInitDialog; false when the layout is missing.
    // Called by the sheet when the page is first shown.
    bool createPage();

private:
    friend class CZqPropertySheet;
    std::string layoutName_;
    int captionId_;
    bool created_ = false;
    CZqPropertySheet* sheet_ = nullptr;
};
