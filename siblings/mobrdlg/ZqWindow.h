#pragma once

// CONTRACT DRAFT (the dialog library's owner completes and may extend it; the
// names and meanings below are what dialogs, pages and controls build on).

#include <string>

#include <Qt>
#include <QWidget>

#include "mobr/export.h"

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
// does; setting a control's text or state from code does not call them.
class MOBR_API CZqWindow {
public:
    virtual ~CZqWindow();

    // ---- Controls by id, shared by dialogs and pages -------------------
    // The root widget that holds the layout's controls.
    virtual QWidget* rootWidget() const = 0;
    // Controls by id ("c<id>"); null when the layout has none.
    QWidget* GetDlgItem(int id) const;
    template <class W> W* item(int id) const { return qobject_cast<W*>(GetDlgItem(id)); }
    // Id of a control (from its objectName), 0 for a widget without one.
    static int ControlId(const QWidget* widget);

    // Texts in host code page. Setting a text never calls a handler.
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text);
    bool IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, bool checked);
    // Selects radio button `checked` of the group first..last (the others off).
    void CheckRadioButton(int first, int last, int checked);
    void EnableItem(int id, bool enable);
    // Edits only: read-only state, whole-text selection, byte limit.
    void SetReadOnly(int id, bool readOnly);
    void SelectAllText(int id);
    void SetLimitText(int id, int maxBytes);
    // Takes a control in or out of the Tab order.
    void SetTabStop(int id, bool stop);
    void SetFocusTo(int id);
    // Id of the control that has the focus, 0 when none of ours has it.
    int GetFocusId() const;
    // Moves the focus to the next (or previous) control of the Tab order.
    void NextDlgCtrl(bool backwards = false);
    // Drop-down lists, combo boxes and plain lists: rows as host-code-page texts.
    void ResetContent(int id);
    int AddString(int id, const std::string& text);
    int GetCurSel(int id) const;  // -1 when none
    void SetCurSel(int id, int index);
    int GetCount(int id) const;

    // ---- Handler hooks -------------------------------------------------

    // After the layout was loaded and the controls found. Return false to say
    // the dialog closed itself while opening (modal result 3) — or call
    // EndDialog(3) inside.
    virtual bool OnInitDialog();
    // A button was clicked (push, check box or radio button), or a menu or
    // accelerator command with that id arrived. Return true when handled.
    // The default for IDOK calls OnOK, for IDCANCEL OnCancel, for IDHELP_ZQ OnHelp.
    virtual bool OnCommand(int id);
    // The text of an edit or combo box was changed by the user.
    virtual void OnEditChange(int id);
    // The selection of a list, combo box or list view changed by the user.
    virtual void OnSelChange(int id);
    // A row of a list was double-clicked (or activated with Enter).
    virtual void OnDblClk(int id);
    // A key was pressed in control `id`. Return true when handled (the key
    // then does nothing else). Keys are Qt key codes; modifiers as Qt gives.
    virtual bool OnKeyDown(int id, int key, Qt::KeyboardModifiers modifiers);
    // Control `id` lost the focus to control `newId` (0 when the focus left
    // the dialog or went to a widget without an id). Return false to refuse:
    // the handler has then put the focus where it wants it.
    virtual bool OnKillFocus(int id, int newId);
    // The help request (F1 or the help button).
    virtual void OnHelp();
    virtual void OnOK();
    virtual void OnCancel();
};
