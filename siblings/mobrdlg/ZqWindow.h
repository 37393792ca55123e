#pragma once

#include <memory>
#include <string>
#include <vector>

#include <Qt>
#include <QWidget>

#include "mobr/export.h"

class CZqControls;

// Well-known control ids, as the layouts number them.
enum ZqStdId : int {
    IDOK = 1,       // the OK button ("c1" in a layout)
    IDCANCEL = 2,   // the Cancel button ("c2")
    IDYES = 6,
    IDNO = 7,
    IDHELP_ZQ = 1000,  // the help button of the dialogs ("c1000")
};

// The handler hooks of a dialog or page, in the familiar shape. The library
// wires Qt's signals and events to these once, so module code never touches
// signal plumbing. Every control of a layout carries its numeric id as its
// objectName "c<id>" (for example "c1401").
//
// Handlers are called only for what a person (or the UI driver acting as one)
// does; setting a control's text or state through the functions below does
// not call them. (Code that calls a widget's own setters directly should
// block its signals with QSignalBlocker for lists, whose selection signals
// cannot tell a user from code.)
//
// Handlers run inside Qt's event delivery. An exception escaping a handler is
// caught there, every running modal dialog ends with -1, and the exception is
// rethrown from the innermost DoModal once its loop has ended.
class MOBR_API CZqWindow {
public:
    CZqWindow();
    CZqWindow(const CZqWindow&) = delete;
    CZqWindow& operator=(const CZqWindow&) = delete;
    virtual ~CZqWindow();

    // ---- Controls by id, shared by dialogs and pages -------------------
    // The root widget that holds the layout's controls.
    virtual QWidget* rootWidget() const = 0;
    // Controls by id ("c<id>"); null when the layout has none (or the window
    // was not created yet).
    QWidget* GetDlgItem(int id) const;
    template <class W> W* item(int id) const { return qobject_cast<W*>(GetDlgItem(id)); }
    // Id of a control (from its objectName), 0 for a widget without one.
    static int ControlId(const QWidget* widget);
    // Ids of every control of the layout, ascending.
    std::vector<int> ControlIds() const;

    // Texts in host code page. Setting a text never calls a handler.
    // Edits, combo boxes (their edit text or selected row), labels, buttons.
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text);
    bool IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, bool checked);
    // Selects radio button `checked` of the group first..last (the others off).
    void CheckRadioButton(int first, int last, int checked);
    // Id of the checked radio button of first..last, 0 when none is.
    int GetCheckedRadioButton(int first, int last) const;
    void EnableItem(int id, bool enable);
    bool IsItemEnabled(int id) const;
    void ShowItem(int id, bool show);
    // Edits only: read-only state, whole-text selection, byte limit (host
    // code page bytes; typing beyond it is refused, 0 removes the limit).
    void SetReadOnly(int id, bool readOnly);
    bool IsReadOnly(int id) const;
    void SelectAllText(int id);
    void SetLimitText(int id, int maxBytes);
    // Takes a control in or out of the Tab order (a control out of it can
    // still be clicked into).
    void SetTabStop(int id, bool stop);
    bool IsTabStop(int id) const;
    void SetFocusTo(int id);
    // Id of the control that has the focus, 0 when none of ours has it.
    int GetFocusId() const;
    // Moves the focus to the next (or previous) control of the Tab order.
    void NextDlgCtrl(bool backwards = false);
    // Drop-down lists, combo boxes, plain lists and tree lists (top-level
    // rows, first column): rows as host-code-page texts.
    void ResetContent(int id);
    int AddString(int id, const std::string& text);
    int GetCurSel(int id) const;  // -1 when none
    void SetCurSel(int id, int index);
    int GetCount(int id) const;
    std::string GetItemText(int id, int index) const;
    // Gives `window` (null: this window) and its controls the dialog font.
    void SetZq20Font(QWidget* window = nullptr);

    // ---- Handler hooks -------------------------------------------------

    // After the layout was loaded and the controls found. Return false to say
    // the dialog closed itself while opening (modal result 3) — or call
    // EndDialog(3) inside.
    virtual bool OnInitDialog();
    // A button was clicked (push, check box or radio button), or a menu or
    // accelerator command with that id arrived. Return true when handled.
    // The default for IDOK calls OnOK, for IDCANCEL OnCancel, for IDHELP_ZQ
    // OnHelp.
    virtual bool OnCommand(int id);
    // The text of an edit or combo box was changed by the user.
    virtual void OnEditChange(int id);
    // The selection of a list, combo box or list view changed by the user.
    virtual void OnSelChange(int id);
    // A row of a list was double-clicked.
    virtual void OnDblClk(int id);
    // A key was pressed in control `id`, before the control or the dialog
    // handled it (Tab arrives as Qt::Key_Tab, Shift+Tab as Qt::Key_Backtab).
    // Return true when handled: the key then does nothing else.
    virtual bool OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers);
    // Control `id` lost the focus to control `newId` (0 when the focus went
    // to a widget without an id). Return false to refuse: the handler has
    // then put the focus where it wants it; when it left the focus where it
    // went, the focus returns to `id`. Focus changes made while this handler
    // runs do not call it again. Not called when the whole window loses
    // activation (the control keeps its focus inside the window).
    virtual bool OnKillFocus(int id, int newId);
    // A notification from a control of the controls library (`code` is the
    // control's own). Return true when handled.
    virtual bool OnNotify(int id, int code, long long param);
    // The help request (F1 or the help button).
    virtual void OnHelp();
    virtual void OnOK();
    virtual void OnCancel();

    // The wiring of this window's controls (null before the layout was
    // built). Used by the UI driver.
    CZqControls* controls() const { return controls_.get(); }

protected:
    // Loads layout `layoutName` into rootWidget() and wires its controls;
    // false when the layout is missing.
    bool buildLayout(const char* layoutName);
    // Wires the controls already under rootWidget() (a window built in code).
    void attachControls();

private:
    std::unique_ptr<CZqControls> controls_;
};
