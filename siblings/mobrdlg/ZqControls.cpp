#include "mobrdlg/ZqControls.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTreeWidget>

#include "mobrdlg/ZqModalStack.h"
#include "mobrdlg/ZqWindow.h"

namespace {

const char* const kControlsProperty = "_zq_controls";
int silenceDepth = 0;

}  // namespace

CZqControls::FocusSilencer::FocusSilencer() { ++silenceDepth; }
CZqControls::FocusSilencer::~FocusSilencer() { --silenceDepth; }
bool CZqControls::focusSilenced() { return silenceDepth > 0; }

CZqControls::CZqControls(CZqWindow& window, QWidget* root)
    : QObject(nullptr), window_(window), root_(root)
{
    root->setProperty(kControlsProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        int id = CZqWindow::ControlId(widget);
        if (id != 0 && !controls_.count(id)) controls_[id] = widget;
    }
    for (auto& [id, widget] : controls_) wire(id, widget);
}

CZqControls::~CZqControls()
{
    if (root_) root_->setProperty(kControlsProperty, QVariant());
    for (auto& [object, id] : watched_) {
        (void)id;
        object->removeEventFilter(this);
    }
}

CZqControls* CZqControls::of(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        QVariant v = w->property(kControlsProperty);
        if (v.isValid()) return qobject_cast<CZqControls*>(v.value<QObject*>());
    }
    return nullptr;
}

QWidget* CZqControls::control(int id) const
{
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second.data();
}

std::vector<int> CZqControls::ids() const
{
    std::vector<int> out;
    for (const auto& [id, widget] : controls_)
        if (widget) out.push_back(id);
    return out;
}

int CZqControls::idOf(const QWidget* widget) const
{
    for (const QWidget* w = widget; w && w != root_; w = w->parentWidget()) {
        int id = CZqWindow::ControlId(w);
        if (id != 0 && control(id) == w) return id;
    }
    return 0;
}

void CZqControls::watch(QWidget* widget, int id)
{
    if (watched_.count(widget)) return;
    watched_[widget] = id;
    widget->installEventFilter(this);
    connect(widget, &QObject::destroyed, this, [this](QObject* gone) { watched_.erase(gone); });
}

void CZqControls::wire(int id, QWidget* widget)
{
    watch(widget, id);
    // Edits inside a control (combo box, spin box) get the keys and the focus.
    for (QLineEdit* inner : widget->findChildren<QLineEdit*>()) {
        watch(inner, id);
        if (inner != widget)
            connect(inner, &QLineEdit::textEdited, this, [this, id] { dispatchEditChange(id); });
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        // clicked() comes from a person (or click()), never from setChecked().
        connect(button, &QAbstractButton::clicked, this, [this, id] { dispatchCommand(id); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, [this, id] { dispatchEditChange(id); });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, qOverload<int>(&QComboBox::activated), this,
                [this, id](int) { dispatchSelChange(id); });
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        connect(list, &QListWidget::currentRowChanged, this, [this, id](int) { dispatchSelChange(id); });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, id](QListWidgetItem*) { dispatchDblClk(id); });
    } else if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
        connect(tree, &QTreeWidget::currentItemChanged, this,
                [this, id](QTreeWidgetItem*, QTreeWidgetItem*) { dispatchSelChange(id); });
        connect(tree, &QTreeWidget::itemDoubleClicked, this,
                [this, id](QTreeWidgetItem*, int) { dispatchDblClk(id); });
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
        // No user-only signal: text set through CZqWindow blocks signals.
        connect(text, &QPlainTextEdit::textChanged, this, [this, id] { dispatchEditChange(id); });
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
        connect(rich, &QTextEdit::textChanged, this, [this, id] { dispatchEditChange(id); });
    }
}

bool CZqControls::dispatchCommand(int id)
{
    return CZqModalStack::guarded(false, [&] { return window_.OnCommand(id); });
}

void CZqControls::dispatchEditChange(int id)
{
    CZqModalStack::guardedVoid([&] { window_.OnEditChange(id); });
}

void CZqControls::dispatchSelChange(int id)
{
    CZqModalStack::guardedVoid([&] { window_.OnSelChange(id); });
}

void CZqControls::dispatchDblClk(int id)
{
    CZqModalStack::guardedVoid([&] { window_.OnDblClk(id); });
}

bool CZqControls::dispatchKeyDown(int id, int key, Qt::KeyboardModifiers modifiers)
{
    return CZqModalStack::guarded(false, [&] { return window_.OnKeyDown(id, key, modifiers); });
}

bool CZqControls::dispatchNotify(int id, int code, long long param)
{
    return CZqModalStack::guarded(false, [&] { return window_.OnNotify(id, code, param); });
}

void CZqControls::dispatchHelp()
{
    CZqModalStack::guardedVoid([&] { window_.OnHelp(); });
}

void CZqControls::handleFocusOut(int id, QWidget* control)
{
    QWidget* next = QApplication::focusWidget();
    CZqControls* nextOwner = next ? of(next) : nullptr;
    int newId = nextOwner ? nextOwner->idOf(next) : 0;
    if (newId == id && nextOwner == this) return;  // inside the same control
    QPointer<QWidget> losing(control);
    bool accepted = true;
    {
        FocusSilencer silence;
        accepted = CZqModalStack::guarded(true, [&] { return window_.OnKillFocus(id, newId); });
        // Refused and the handler left the focus where it went: take it back.
        if (!accepted && losing && QApplication::focusWidget() == next && next != losing)
            losing->setFocus(Qt::OtherFocusReason);
    }
}

bool CZqControls::eventFilter(QObject* watched, QEvent* event)
{
    auto it = watched_.find(watched);
    if (it == watched_.end()) return false;
    const int id = it->second;
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (keyPreview_ && keyPreview_(key->key(), key->modifiers())) return true;
        if (dispatchKeyDown(id, key->key(), key->modifiers())) return true;
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            dispatchHelp();
            return true;
        }
        return false;
    }
    case QEvent::FocusOut: {
        auto* focus = static_cast<QFocusEvent*>(event);
        // Losing activation or opening a popup keeps the focus in the window.
        if (focus->reason() == Qt::ActiveWindowFocusReason ||
            focus->reason() == Qt::PopupFocusReason)
            return false;
        if (focusSilenced()) return false;
        QWidget* control = this->control(id);
        if (control) handleFocusOut(id, control);
        return false;
    }
    default:
        return false;
    }
}

bool ZqNotifyControl(QWidget* control, int code, long long param)
{
    CZqControls* owner = CZqControls::of(control);
    if (!owner) return false;
    int id = owner->idOf(control);
    if (id == 0) return false;
    return owner->dispatchNotify(id, code, param);
}
