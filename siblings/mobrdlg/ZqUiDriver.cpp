#include "mobrdlg/ZqUiDriver.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTreeWidget>

#include "mobrdlg/ZqDialog.h"
#include "mobrdlg/ZqMessageBox.h"
#include "mobrdlg/ZqModalStack.h"
#include "mobrdlg/ZqPropertySheet.h"
#include "mobrdlg/ZqText.h"

namespace {

// Installed drivers, the one in charge last. A driver leaves the list when it
// is destroyed, in whatever order that happens (a test replacing a driver
// held in a smart pointer creates the new one before the old one goes).
std::vector<CZqUiDriver*>& installed()
{
    static std::vector<CZqUiDriver*> drivers;
    return drivers;
}

using Kind = ZqUiAction::Kind;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

// Lets posted events (activation, layout, deferred focus) arrive.
void flush()
{
    QCoreApplication::processEvents();
}

void activate(QWidget* window)
{
    if (!window || !window->isVisible()) return;
    window->activateWindow();
    QApplication::setActiveWindow(window);
    flush();
}

// ", <title> is active" (or that none is), for the driver's errors.
std::string activeWindowName()
{
    const QWidget* active = QApplication::activeWindow();
    if (!active) return " (no window is active)";
    return " (" + active->windowTitle().toStdString() + " " + active->metaObject()->className() + " is active)";
}

bool hasFocusIn(QWidget* control)
{
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == control || control->isAncestorOf(focus));
}

// Gives `control` the focus as a click into it would; false when it did not
// arrive there (the control losing it took it back, or it takes no focus).
bool giveFocus(QWidget* control)
{
    if (hasFocusIn(control)) return true;
    if (!(control->focusPolicy() & Qt::ClickFocus)) return false;
    control->setFocus(Qt::MouseFocusReason);
    flush();
    return hasFocusIn(control);
}

QWidget* keyTarget(QWidget* control)
{
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == control || control->isAncestorOf(focus)) ? focus : control;
}

void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QPointer<QWidget> guard(target);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    if (!guard) return;
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(guard, &release);
}

QString keyText(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) return {};
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Escape: return QString(QChar(0x1b));
    case Qt::Key_Space: return QStringLiteral(" ");
    default: break;
    }
    if (key >= 0x20 && key < 0x7f) {
        QString text{QChar(key)};
        return (modifiers & Qt::ShiftModifier) ? text : text.toLower();
    }
    return {};
}

bool isEditable(QWidget* w)
{
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return !edit->isReadOnly();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->isEditable();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) return !spin->isReadOnly();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) return !plain->isReadOnly();
    if (auto* rich = qobject_cast<QTextEdit*>(w)) return !rich->isReadOnly();
    return w->findChild<QLineEdit*>() != nullptr;
}

void selectAll(QWidget* w)
{
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->lineEdit()) combo->lineEdit()->selectAll();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
        spin->selectAll();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->selectAll();
    } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
        rich->selectAll();
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->selectAll();
    } else if (auto* inner = w->findChild<QLineEdit*>()) {
        inner->selectAll();
    }
}

ZqControlState stateOf(int id, QWidget* w)
{
    ZqControlState s;
    s.id = id;
    s.className = w->metaObject()->className();
    s.enabled = w->isEnabled();
    s.visible = w->isVisible();
    s.focused = hasFocusIn(w);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        s.text = utf8(edit->text());
        s.readOnly = edit->isReadOnly();
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        s.text = utf8(combo->currentText());
        for (int i = 0; i < combo->count(); ++i) s.items.push_back(utf8(combo->itemText(i)));
        s.selection = combo->currentIndex();
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        for (int i = 0; i < list->count(); ++i) s.items.push_back(utf8(list->item(i)->text()));
        QListWidgetItem* current = list->currentItem();
        s.selection = current && current->isSelected() ? list->row(current) : -1;
        if (current) s.text = utf8(current->text());
    } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QStringList columns;
            QTreeWidgetItem* row = tree->topLevelItem(i);
            for (int c = 0; c < row->columnCount(); ++c) columns << row->text(c);
            s.items.push_back(utf8(columns.join(u'\t')));
        }
        s.selection = tree->currentItem() ? tree->indexOfTopLevelItem(tree->currentItem()) : -1;
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
        s.text = utf8(spin->text());
        s.readOnly = spin->isReadOnly();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        s.text = utf8(plain->toPlainText());
        s.readOnly = plain->isReadOnly();
    } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
        s.text = utf8(rich->toPlainText());
        s.readOnly = rich->isReadOnly();
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        s.text = utf8(label->text());
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        s.text = utf8(button->text());
        s.checked = button->isChecked();
    } else {
        s.text = utf8(w->property("text").toString());
    }
    return s;
}

// Whether an action meant for `name` may run on `dialog`: its own name, or
// the layout name of the page it shows.
bool answersTo(CZqDialog& dialog, const std::string& name)
{
    return name == dialog.scriptName() || name == dialog.shownPageName();
}

}  // namespace

CZqUiDriver::CZqUiDriver(ZqUiScript script) : actions_(script.actions())
{
    installed().push_back(this);
}

CZqUiDriver::~CZqUiDriver()
{
    auto& drivers = installed();
    drivers.erase(std::remove(drivers.begin(), drivers.end(), this), drivers.end());
}

CZqUiDriver* CZqUiDriver::current()
{
    return installed().empty() ? nullptr : installed().back();
}

void CZqUiDriver::append(const ZqUiScript& script)
{
    actions_.insert(actions_.end(), script.actions().begin(), script.actions().end());
}

void CZqUiDriver::error(int index, const std::string& message)
{
    transcript_.addError(index, message);
}

int CZqUiDriver::runModal(CZqDialog& dialog)
{
    ++depth_;
    const size_t record = transcript_.openDialog(dialog.scriptName(), depth_);
    dialog.show();
    activate(&dialog);
    bool unscripted = false;
    run(dialog, true, unscripted);
    if (dialog.isVisible()) dialog.hide();
    const int result = dialog.hasEnded() ? dialog.endResult() : ZQ_RESULT_CANCEL;
    transcript_.closeDialog(record, result, unscripted);
    --depth_;
    // The dialog below gets the activation back, as after a real modal loop.
    const auto& running = CZqModalStack::dialogs();
    for (auto it = running.rbegin(); it != running.rend(); ++it) {
        if (*it != &dialog && (*it)->isVisible()) {
            activate(*it);
            break;
        }
    }
    return result;
}

void CZqUiDriver::drive(CZqDialog& dialog)
{
    activate(&dialog);
    bool unscripted = false;
    run(dialog, false, unscripted);
}

void CZqUiDriver::run(CZqDialog& dialog, bool cancelWhenExhausted, bool& unscripted)
{
    while (!dialog.hasEnded()) {
        if (next_ >= actions_.size()) {
            if (!cancelWhenExhausted) return;
            // Nothing left for this dialog: a person would press Escape.
            unscripted = true;
            dialog.reject();
            flush();
            if (!dialog.hasEnded()) dialog.EndDialog(ZQ_RESULT_CANCEL);
            return;
        }
        const int index = int(next_);
        const ZqUiAction action = actions_[next_++];
        if (!action.dialog.empty() && !answersTo(dialog, action.dialog)) {
            error(index, "expected dialog " + action.dialog + " on top, found " +
                             dialog.scriptName());
            continue;
        }
        perform(dialog, action, index);
        flush();
    }
}

void CZqUiDriver::perform(CZqDialog& dialog, const ZqUiAction& a, int index)
{
    auto controlOf = [&](int id) -> QWidget* {
        CZqWindow* owner = dialog.windowOf(id);
        QWidget* w = owner ? owner->GetDlgItem(id) : nullptr;
        if (!w) error(index, "control " + std::to_string(id) + " not found in " + dialog.scriptName());
        return w;
    };
    auto usable = [&](int id, QWidget* w) {
        if (!w->isVisible()) {
            error(index, "control " + std::to_string(id) + " is not visible");
            return false;
        }
        if (!w->isEnabled()) {
            error(index, "control " + std::to_string(id) + " is disabled");
            return false;
        }
        // A person's click or key goes nowhere while another window holds
        // the activation (a window that opened beside the dialog took it).
        if (QApplication::activeWindow() != w->window()) {
            error(index, "control " + std::to_string(id) + " is in a window that is not active" +
                             activeWindowName());
            return false;
        }
        return true;
    };
    auto focusTo = [&](int id, QWidget* w) {
        if (giveFocus(w)) return true;
        error(index, "control " + std::to_string(id) + " did not get the focus");
        return false;
    };
    // A click: a button that takes the focus gets it first, so that the
    // control losing it runs its focus-lost handling with the button's id.
    auto clickButton = [&](int id, QWidget* w) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button) {
            error(index, "control " + std::to_string(id) + " is not a button");
            return;
        }
        if (!usable(id, w)) return;
        if ((button->focusPolicy() & Qt::ClickFocus) && !giveFocus(button)) {
            transcript_.addNote(QJsonObject{{"click", id}, {"refused", true}});
            return;
        }
        QPointer<QAbstractButton> guard(button);
        button->click();
    };

    switch (a.kind) {
    case Kind::Type: {
        QWidget* w = controlOf(a.id);
        if (!w || !usable(a.id, w)) return;
        if (!isEditable(w)) {
            error(index, "control " + std::to_string(a.id) + " cannot be typed into");
            return;
        }
        if (!focusTo(a.id, w)) return;
        selectAll(w);
        const QString text = QString::fromStdString(a.text);
        if (text.isEmpty()) {
            sendKey(keyTarget(w), Qt::Key_Delete, Qt::NoModifier, {});
            return;
        }
        for (qsizetype i = 0; i < text.size(); ++i) {
            QString one(text[i]);
            if (text[i].isHighSurrogate() && i + 1 < text.size()) one += text[++i];
            const char32_t code = one.toUcs4().value(0);
            int key = code < 0x80 ? int(QChar(char16_t(code)).toUpper().unicode()) : 0;
            if (!hasFocusIn(w)) break;  // a handler moved the focus away
            sendKey(keyTarget(w), key, Qt::NoModifier, one);
        }
        return;
    }
    case Kind::Click: {
        if (QWidget* w = controlOf(a.id)) clickButton(a.id, w);
        return;
    }
    case Kind::Check: {
        QWidget* w = controlOf(a.id);
        if (!w) return;
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button || !button->isCheckable()) {
            error(index, "control " + std::to_string(a.id) + " is not a check box");
            return;
        }
        if (button->isChecked() != (a.number != 0)) clickButton(a.id, w);
        return;
    }
    case Kind::Select:
    case Kind::SelectText:
    case Kind::DblClk: {
        QWidget* w = controlOf(a.id);
        if (!w || !usable(a.id, w)) return;
        int row = a.number;
        const QString wanted = QString::fromStdString(a.text);
        auto* combo = qobject_cast<QComboBox*>(w);
        auto* list = qobject_cast<QListWidget*>(w);
        auto* tree = qobject_cast<QTreeWidget*>(w);
        int count = combo ? combo->count()
                          : list ? list->count() : tree ? tree->topLevelItemCount() : -1;
        if (count < 0) {
            error(index, "control " + std::to_string(a.id) + " is not a list");
            return;
        }
        if (a.kind == Kind::SelectText) {
            row = -1;
            for (int i = 0; i < count && row < 0; ++i) {
                QString t = combo ? combo->itemText(i)
                                  : list ? list->item(i)->text() : tree->topLevelItem(i)->text(0);
                if (t == wanted) row = i;
            }
        }
        if (row < 0 || row >= count) {
            error(index, "control " + std::to_string(a.id) + " has no row " +
                             (a.kind == Kind::SelectText ? a.text : std::to_string(row)));
            return;
        }
        if ((w->focusPolicy() & Qt::ClickFocus) && !focusTo(a.id, w)) return;
        if (combo) {
            combo->setCurrentIndex(row);
            emit combo->activated(row);
            emit combo->textActivated(combo->itemText(row));
        } else if (list) {
            list->setCurrentRow(row);
            if (a.kind == Kind::DblClk) emit list->itemDoubleClicked(list->item(row));
        } else {
            tree->setCurrentItem(tree->topLevelItem(row));
            if (a.kind == Kind::DblClk) emit tree->itemDoubleClicked(tree->topLevelItem(row), 0);
        }
        if (a.kind == Kind::DblClk && combo)
            error(index, "control " + std::to_string(a.id) + " cannot be double-clicked");
        return;
    }
    case Kind::Key: {
        if (a.key == 0) {
            error(index, "unknown key");
            return;
        }
        QWidget* w = controlOf(a.id);
        if (!w || !usable(a.id, w) || !focusTo(a.id, w)) return;
        sendKey(keyTarget(w), a.key, a.modifiers, keyText(a.key, a.modifiers));
        return;
    }
    case Kind::Focus: {
        QWidget* w = controlOf(a.id);
        if (!w || !usable(a.id, w)) return;
        const bool got = giveFocus(w);
        transcript_.addNote(QJsonObject{{"focus", a.id}, {"got", got}});
        return;
    }
    case Kind::Page: {
        int page = a.number;
        if (!a.text.empty()) {
            page = dialog.pageIndexOf(a.text);
            if (page < 0) {
                error(index, "page " + a.text + " not found in " + dialog.scriptName());
                return;
            }
        }
        if (!dialog.switchPage(page))
            transcript_.addNote(QJsonObject{{"page", page}, {"switched", false}});
        return;
    }
    case Kind::Read: {
        if (QWidget* w = controlOf(a.id)) transcript_.addRead({dialog.scriptName(), stateOf(a.id, w), a.text});
        return;
    }
    case Kind::Ok:
    case Kind::Cancel: {
        const int id = a.kind == Kind::Ok ? IDOK : IDCANCEL;
        CZqWindow* owner = dialog.windowOf(id);
        if (QWidget* w = owner ? owner->GetDlgItem(id) : nullptr) {
            clickButton(id, w);
        } else if (a.kind == Kind::Ok) {
            dialog.accept();
        } else {
            dialog.reject();
        }
        return;
    }
    case Kind::Answer:
        error(index, "no message box is open to answer");
        return;
    case Kind::PickFile:
    case Kind::CancelFile:
        error(index, "no file dialog is open");
        return;
    case Kind::PickMenu:
        error(index, "no popup menu is open");
        return;
    case Kind::Screenshot: {
        const QPixmap shot = dialog.grab();
        if (shot.isNull() || !shot.save(QString::fromStdString(a.text), "PNG"))
            error(index, "screenshot could not be written to " + a.text);
        else
            transcript_.addShot({dialog.scriptName(), a.text});
        return;
    }
    case Kind::Inspect:
        if (a.inspect) CZqModalStack::guardedVoid([&] { a.inspect(dialog); });
        return;
    }
}

int CZqUiDriver::messageBox(QWidget*, unsigned flags, int messageId, const QString& text,
                            const QString& argument)
{
    ZqUiTranscript::MessageRecord record;
    record.messageId = messageId;
    record.text = utf8(text);
    record.argument = utf8(argument);
    record.flags = flags;
    record.answer = ZqMessageBoxDefaultAnswer(flags);
    if (next_ < actions_.size() && actions_[next_].kind == Kind::Answer) {
        const int index = int(next_++);
        const int wanted = actions_[index].number;
        const std::vector<int> answers = ZqMessageBoxAnswers(flags);
        if (std::find(answers.begin(), answers.end(), wanted) != answers.end()) {
            record.answer = wanted;
            record.scripted = true;
        } else {
            error(index, "message box has no button for answer " + std::to_string(wanted));
        }
    }
    const int answer = record.answer;
    transcript_.addMessage(std::move(record));
    return answer;
}

bool CZqUiDriver::fileDialog(bool open, const QString& filter, const QString& folder,
                             const QString& name, QString& chosen, QString* selectedFilter)
{
    ZqUiTranscript::FileRecord record;
    record.open = open;
    record.filter = utf8(filter);
    record.folder = utf8(folder);
    record.name = utf8(name);
    bool picked = false;
    if (next_ < actions_.size() && actions_[next_].kind == Kind::PickFile) {
        chosen = QString::fromStdString(actions_[next_].text);
        record.chosen = actions_[next_].text;
        record.chosenFilter = actions_[next_].filter;
        if (selectedFilter) *selectedFilter = QString::fromStdString(actions_[next_].filter);
        picked = true;
        ++next_;
    } else if (next_ < actions_.size() && actions_[next_].kind == Kind::CancelFile) {
        ++next_;
    }
    transcript_.addFile(std::move(record));
    return picked;
}

int CZqUiDriver::popupMenu(const std::vector<ZqMenuItem>& items)
{
    ZqUiTranscript::MenuRecord record;
    for (const auto& item : items)
        if (item.id != 0) record.ids.push_back(item.id);
    if (next_ < actions_.size() && actions_[next_].kind == Kind::PickMenu) {
        const int index = int(next_++);
        const ZqUiAction& a = actions_[index];
        for (const auto& item : items) {
            if (item.id == 0 || !item.enabled) continue;
            QString shown = zqToQString(item.text);
            shown.remove(u'&');
            if (a.text.empty() ? item.id == a.number : shown == QString::fromStdString(a.text)) {
                record.chosen = item.id;
                break;
            }
        }
        if (record.chosen == 0) error(index, "popup menu has no enabled item " + a.toJson().value("menu").toVariant().toString().toStdString());
    }
    const int chosen = record.chosen;
    transcript_.addMenu(std::move(record));
    return chosen;
}
