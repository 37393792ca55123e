#pragma once

#include <string>

#include <QDialog>

#include "mobr/export.h"
#include "mobrdlg/ZqWindow.h"

// Modal results of DoModal.
enum ZqModalResult : int {
    ZQ_RESULT_OK = 1,
    ZQ_RESULT_CANCEL = 2,
    ZQ_RESULT_NOT_CREATED = -1,   // the layout could not be loaded
    ZQ_RESULT_CLOSED_OPENING = 3, // the dialog ended itself in OnInitDialog
};

// A dialog built from a layout of the resource module (a Qt Designer .ui file
// of that name). The layout is loaded by the constructor, so controls can be
// filled before DoModal. Texts handed to and read from controls are in the
// host code page (raw bytes); conversion happens only at the widget.
//
// Keys: Escape and the window's close button call OnCommand(IDCANCEL) (by
// default OnCancel); Enter in a single-line edit presses the default button
// (the layout's, else OK) unless OnKeyDown swallowed it; F1 calls OnHelp.
class MOBR_API CZqDialog : public QDialog, public CZqWindow {
    Q_OBJECT
public:
    // `layoutName` may be null for a dialog that is created later with Create.
    explicit CZqDialog(const char* layoutName, QWidget* parent = nullptr);
    ~CZqDialog() override;

    // Runs the dialog modally (or through the installed UI driver) and returns
    // 1, 2, -1 (layout missing), 3 (OnInitDialog returned false), or whatever
    // EndDialog was given (also inside OnInitDialog). An exception that a
    // handler let escape is rethrown here after the loop has ended.
    int DoModal();
    // Creates the dialog modeless and shows it; false when the layout is
    // missing or the dialog ended itself in OnInitDialog.
    bool Create(const char* layoutName, QWidget* parent = nullptr);
    // Ends the dialog with `result` (also allowed inside OnInitDialog).
    void EndDialog(int result);

    const std::string& layoutName() const;
    QWidget* rootWidget() const override;
    // The layout was loaded (or the content built).
    bool isCreated() const { return created_; }
    // EndDialog was called since the dialog was last started, and its value.
    bool hasEnded() const { return ended_; }
    int endResult() const { return result_; }

    // For the UI driver: the window that holds control `id` (this dialog, or
    // the active page of a sheet), null when none does.
    virtual CZqWindow* windowOf(int id);
    // Switches to page `index` the way a click on its tab would; false when
    // the dialog has no such page or leaving the current page was refused.
    virtual bool switchPage(int index);
    // The name the UI driver records and checks: the layout name.
    virtual std::string scriptName() const;
    // For a dialog that shows pages: the layout name of the page shown, and
    // the index of the page with layout `layout` (-1 when there is none).
    // Scripts name either the dialog or the page shown.
    virtual std::string shownPageName() const;
    virtual int pageIndexOf(const std::string& layout) const;

    // Default: end with 1 and 2.
    void OnOK() override;
    void OnCancel() override;

public slots:
    void accept() override;
    void reject() override;

protected:
    // Builds what the dialog needs before it is shown; false when it cannot
    // be shown. The default checks that the layout was loaded.
    virtual bool prepareShow();
    // Marks the dialog as created after a subclass built its content in code.
    void setCreated();
    void keyPressEvent(QKeyEvent* event) override;

private:
    int finishModal(int result);

    std::string layoutName_;
    int result_ = 0;
    bool created_ = false;
    bool ended_ = false;
};
