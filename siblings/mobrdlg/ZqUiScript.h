#pragma once

#include <functional>
#include <string>
#include <vector>

#include <Qt>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include "mobr/export.h"

class CZqWindow;

// One step of a scripted run. Texts are UTF-8.
struct ZqUiAction {
    enum class Kind {
        Type,        // id, text: select the control's whole text and type `text`
        Click,       // id: click a button (push, check box, radio button)
        Check,       // id, number 0/1: click a check box when its state differs
        Select,      // id, number: select row `number` of a list or combo box
        SelectText,  // id, text: select the row whose text is `text`
        DblClk,      // id, number: double-click row `number` of a list
        Key,         // id, key, modifiers: press a key in the control
        Focus,       // id: move the focus to the control (as a click into it)
        Page,        // number: switch a property sheet to page `number`; or
                     // text: to the page with that layout name
        Read,        // id, text: record the control's state in the transcript under the label `text`
        Ok,          // press OK (button 1)
        Cancel,      // press Cancel (button 2, else Escape)
        Answer,      // number: answer the message box the previous action opened
        PickFile,    // text: choose `text` in the file dialog the previous action opened;
                     // filter: with that file type (empty: the dialog's first)
        CancelFile,  //       cancel that file dialog
        PickMenu,    // number or text: choose an item of the popup menu just opened
        Screenshot,  // text: save the top dialog as a PNG file
        Inspect,     // call `inspect` with the dialog on top
    };
    Kind kind = Kind::Read;
    int id = 0;
    int number = 0;
    std::string text;
    std::string filter;
    int key = 0;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    // When not empty: the action runs only when this dialog (layout name, or
    // a sheet's name or the layout name of its active page) is on top;
    // otherwise it is recorded as an error.
    std::string dialog;
    std::function<void(CZqWindow&)> inspect;

    QJsonObject toJson() const;
};

// A scripted run, built in C++ or read from JSON:
//
//   ZqUiScript().type(1401, "2.5").key(1401, Qt::Key_Return).read(1402).ok();
//
// JSON: an array of objects, one action each, with an optional "dialog" key
// naming the dialog that must be on top:
//   {"type":[1401,"2.5"]}          {"click":1302}        {"check":[1101,true]}
//   {"select":[1201,3]}            {"select":[1201,"A4 (297.0 x 210.0)"]}
//   {"dblclk":[1601,2]}            {"key":[1401,"Tab"]}  {"focus":1402}
//   {"page":2} {"page":"IDD_PROPS_002"}  {"read":1402} {"read":[1402,"width"]}  {"ok":true} or "ok"
//   {"cancel":true} or "cancel"    {"answer":6}          {"file":"/tmp/a.txt"}
//   {"file":["/tmp/a.dxf","DXF R12 (*.dxf)"]} (with the file type chosen)
//   {"file":null} (cancel it)      {"menu":2003} or {"menu":"Delete"}
//   {"screenshot":"/tmp/shot.png"}
// Key names: "Enter" (Return), "Tab", "Shift+Tab", "Escape", "Delete", "F1",
// "Ctrl+Tab", "Ctrl+Shift+Tab", "Ctrl+PageUp", "Ctrl+PageDown", and any other
// name QKeySequence understands ("Up", "Home", "Space", "Ctrl+A").
//
// Actions run in order in the dialog on top. An action that opens a nested
// dialog continues the script inside it until that dialog ends. "answer",
// "file" and "menu" are taken by the message box, file dialog or popup menu
// that the action before them opened.
class MOBR_API ZqUiScript {
public:
    ZqUiScript& type(int id, const std::string& text);
    ZqUiScript& click(int id);
    ZqUiScript& check(int id, bool checked);
    ZqUiScript& select(int id, int index);
    ZqUiScript& select(int id, const std::string& text);
    ZqUiScript& dblclk(int id, int index);
    ZqUiScript& key(int id, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    ZqUiScript& key(int id, const std::string& keyName);
    ZqUiScript& focus(int id);
    ZqUiScript& page(int index);
    ZqUiScript& page(const std::string& layoutName);
    // Records the control's state; `label` names the read for whoever checks it.
    ZqUiScript& read(int id, const std::string& label = {});
    ZqUiScript& ok();
    ZqUiScript& cancel();
    ZqUiScript& answer(int result);
    ZqUiScript& pickFile(const std::string& path, const std::string& filter = {});
    ZqUiScript& cancelFile();
    ZqUiScript& pickMenu(int id);
    ZqUiScript& pickMenu(const std::string& text);
    ZqUiScript& screenshot(const std::string& path);
    ZqUiScript& inspect(std::function<void(CZqWindow&)> look);
    // Target check for the action added last.
    ZqUiScript& in(const std::string& dialog);
    ZqUiScript& add(ZqUiAction action);

    const std::vector<ZqUiAction>& actions() const { return actions_; }

    // Reads a JSON script; on a malformed action returns what was read before
    // it and sets `error` (when given) to a description.
    static ZqUiScript fromJson(const QJsonArray& array, QString* error = nullptr);

private:
    std::vector<ZqUiAction> actions_;
};

// Parses a key name ("Tab", "Shift+Tab", "Ctrl+PageDown", ...) into the key
// and modifiers a keyboard gives (Shift+Tab arrives as Key_Backtab); false
// for an unknown name.
MOBR_API bool ZqParseKeyName(const QString& name, int& key, Qt::KeyboardModifiers& modifiers);
