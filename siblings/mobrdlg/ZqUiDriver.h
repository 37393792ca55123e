#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <QString>

#include "mobr/export.h"
#include "mobrdlg/ZqPopupMenu.h"
#include "mobrdlg/ZqUiScript.h"
#include "mobrdlg/ZqUiTranscript.h"

class CZqDialog;
class QWidget;

// The scripted UI driver. While an object exists (installed by a test or the
// scenario runner), DoModal, message boxes, file dialogs and popup menus ask
// it instead of waiting for a person:
//
//   CZqUiDriver driver(ZqUiScript().type(1401, "2.5").ok());
//   int result = dialog.DoModal();
//   driver.transcript().dialogs();   // what was opened, what it returned
//
// The driver acts as a person would, through the same widgets and handlers:
// it types with key events (selecting the whole text first), moves the focus
// (so the losing control gets its focus-lost handling) before it types into,
// clicks or selects in a control, clicks buttons with QAbstractButton::click,
// and sends key events to the control that has the focus. A modal dialog
// that opens when the script has nothing left is cancelled; a message box
// that the next action does not answer gets its default button; a file
// dialog or popup menu that the next action does not serve is cancelled; all
// of it is recorded, so no scripted run waits for a person. An action that
// cannot run (control missing, disabled, wrong dialog on top) is recorded as
// an error and skipped.
//
// Drivers nest: the driver installed last is in charge until it is
// destroyed; drivers may be destroyed in any order.
class MOBR_API CZqUiDriver {
public:
    explicit CZqUiDriver(ZqUiScript script = {});
    ~CZqUiDriver();
    CZqUiDriver(const CZqUiDriver&) = delete;
    CZqUiDriver& operator=(const CZqUiDriver&) = delete;

    static CZqUiDriver* current();

    // Adds actions at the end of the script.
    void append(const ZqUiScript& script);
    const ZqUiTranscript& transcript() const { return transcript_; }
    // Actions not run yet.
    size_t remaining() const { return actions_.size() - next_; }

    // Runs the remaining actions on a modeless dialog (Create) until the
    // script ends or the dialog ends.
    void drive(CZqDialog& dialog);

    // ---- Called by the library in place of a person ----------------------
    int runModal(CZqDialog& dialog);
    int messageBox(QWidget* owner, unsigned flags, int messageId, const QString& text,
                   const QString& argument);
    // `selectedFilter`, when given, receives the file type the script chose
    // (empty when it chose none).
    bool fileDialog(bool open, const QString& filter, const QString& folder, const QString& name,
                    QString& chosen, QString* selectedFilter = nullptr);
    int popupMenu(const std::vector<ZqMenuItem>& items);

private:
    void run(CZqDialog& dialog, bool cancelWhenExhausted, bool& unscripted);
    void perform(CZqDialog& dialog, const ZqUiAction& action, int index);
    void error(int index, const std::string& message);

    std::vector<ZqUiAction> actions_;
    size_t next_ = 0;
    int depth_ = 0;
    ZqUiTranscript transcript_;
};
