#include "mobrdlg/ZqWindow.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTreeWidget>

#include "mobrdlg/ZqByteLimitValidator.h"
#include "mobrdlg/ZqControls.h"
#include "mobrdlg/ZqText.h"
#include "mobrdlg/ZqUiLoader.h"

namespace {

// The focus policy a control had before it left the Tab order.
const char* const kTabPolicyProperty = "_zq_tab_policy";

QLineEdit* editOf(QWidget* widget)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->lineEdit();
    if (qobject_cast<QAbstractSpinBox*>(widget)) return widget->findChild<QLineEdit*>();
    return nullptr;
}

// A read-only edit looks read-only (the window's colour behind its text, as
// people know it from other programs) and Tab passes it by; a click still
// selects its text for copying. Made editable again, it gets back its own
// focus policy and the palette of its parent.
const char* const kEditableFocusPolicy = "zqEditableFocusPolicy";

void showReadOnly(QWidget* edit, bool readOnly)
{
    if (readOnly) {
        if (!edit->property(kEditableFocusPolicy).isValid())
            edit->setProperty(kEditableFocusPolicy, int(edit->focusPolicy()));
        edit->setFocusPolicy(Qt::ClickFocus);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
        return;
    }
    const QVariant own = edit->property(kEditableFocusPolicy);
    if (!own.isValid()) return;  // never shown as read-only
    edit->setFocusPolicy(static_cast<Qt::FocusPolicy>(own.toInt()));
    edit->setProperty(kEditableFocusPolicy, QVariant());
    edit->setPalette(QPalette());
}

// Edits that a layout makes read-only get the read-only look as well.
void showLayoutReadOnlyEdits(QWidget* root)
{
    for (QAbstractSpinBox* spin : root->findChildren<QAbstractSpinBox*>())
        if (spin->isReadOnly()) showReadOnly(spin, true);
    for (QLineEdit* edit : root->findChildren<QLineEdit*>())
        if (edit->isReadOnly() && !qobject_cast<QAbstractSpinBox*>(edit->parentWidget())) showReadOnly(edit, true);
}

}  // namespace

CZqWindow::CZqWindow() = default;
CZqWindow::~CZqWindow() = default;

bool CZqWindow::buildLayout(const char* layoutName)
{
    QWidget* root = rootWidget();
    if (!root) return false;
    CZqUiLoader loader(root);
    if (!loader.loadInto(layoutName)) return false;
    showLayoutReadOnlyEdits(root);
    attachControls();
    return true;
}

void CZqWindow::attachControls()
{
    controls_.reset();
    controls_ = std::make_unique<CZqControls>(*this, rootWidget());
}

QWidget* CZqWindow::GetDlgItem(int id) const
{
    return controls_ ? controls_->control(id) : nullptr;
}

int CZqWindow::ControlId(const QWidget* widget)
{
    if (!widget) return 0;
    const QString name = widget->objectName();
    if (name.size() < 2 || name[0] != u'c') return 0;
    bool ok = false;
    int id = QStringView(name).mid(1).toInt(&ok);
    return ok && id > 0 && name[1].isDigit() ? id : 0;
}

std::vector<int> CZqWindow::ControlIds() const
{
    return controls_ ? controls_->ids() : std::vector<int>{};
}

std::string CZqWindow::GetDlgItemText(int id) const
{
    QWidget* w = GetDlgItem(id);
    if (!w) return {};
    QString text;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) text = edit->text();
    else if (auto* combo = qobject_cast<QComboBox*>(w)) text = combo->currentText();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) text = spin->text();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) text = plain->toPlainText();
    else if (auto* rich = qobject_cast<QTextEdit*>(w)) text = rich->toPlainText();
    else if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
    else text = w->property("text").toString();
    return zqFromQString(text);
}

void CZqWindow::SetDlgItemText(int id, const std::string& bytes)
{
    QWidget* w = GetDlgItem(id);
    if (!w) return;
    const QString text = zqToQString(bytes);
    QSignalBlocker block(w);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) combo->setEditText(text);
        else combo->setCurrentIndex(combo->findText(text));
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
        if (QLineEdit* inner = editOf(spin)) {
            QSignalBlocker blockInner(inner);
            inner->setText(text);
        }
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) plain->setPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(w)) rich->setPlainText(text);
    else if (auto* label = qobject_cast<QLabel*>(w)) label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setText(text);
    else {
        block.unblock();  // custom controls may rely on their own signals
        w->setProperty("text", text);
    }
}

bool CZqWindow::IsDlgButtonChecked(int id) const
{
    auto* button = item<QAbstractButton>(id);
    return button && button->isChecked();
}

void CZqWindow::CheckDlgButton(int id, bool checked)
{
    auto* button = item<QAbstractButton>(id);
    if (!button) return;
    QSignalBlocker block(button);
    if (checked || !button->autoExclusive()) {
        button->setChecked(checked);
    } else {
        // An auto-exclusive button cannot be switched off alone.
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

void CZqWindow::CheckRadioButton(int first, int last, int checked)
{
    for (int id = first; id <= last; ++id)
        if (id != checked) CheckDlgButton(id, false);
    CheckDlgButton(checked, true);
}

int CZqWindow::GetCheckedRadioButton(int first, int last) const
{
    for (int id = first; id <= last; ++id)
        if (IsDlgButtonChecked(id)) return id;
    return 0;
}

void CZqWindow::EnableItem(int id, bool enable)
{
    if (QWidget* w = GetDlgItem(id)) w->setEnabled(enable);
}

bool CZqWindow::IsItemEnabled(int id) const
{
    QWidget* w = GetDlgItem(id);
    return w && w->isEnabled();
}

void CZqWindow::ShowItem(int id, bool show)
{
    if (QWidget* w = GetDlgItem(id)) w->setVisible(show);
}

void CZqWindow::SetReadOnly(int id, bool readOnly)
{
    QWidget* w = GetDlgItem(id);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) spin->setReadOnly(readOnly);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) plain->setReadOnly(readOnly);
    else if (auto* rich = qobject_cast<QTextEdit*>(w)) rich->setReadOnly(readOnly);
    else if (QLineEdit* edit = editOf(w)) edit->setReadOnly(readOnly);
    else return;
    showReadOnly(w, readOnly);
}

bool CZqWindow::IsReadOnly(int id) const
{
    QWidget* w = GetDlgItem(id);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) return spin->isReadOnly();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) return plain->isReadOnly();
    if (auto* rich = qobject_cast<QTextEdit*>(w)) return rich->isReadOnly();
    if (QLineEdit* edit = editOf(w)) return edit->isReadOnly();
    return false;
}

void CZqWindow::SelectAllText(int id)
{
    QWidget* w = GetDlgItem(id);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) spin->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) plain->selectAll();
    else if (auto* rich = qobject_cast<QTextEdit*>(w)) rich->selectAll();
    else if (QLineEdit* edit = editOf(w)) edit->selectAll();
}

void CZqWindow::SetLimitText(int id, int maxBytes)
{
    QLineEdit* edit = editOf(GetDlgItem(id));
    if (!edit) return;
    // The validator belongs to the edit; a limit set before is replaced.
    if (auto* old = qobject_cast<const CZqByteLimitValidator*>(edit->validator())) {
        edit->setValidator(nullptr);
        const_cast<CZqByteLimitValidator*>(old)->deleteLater();
    }
    if (maxBytes > 0) edit->setValidator(new CZqByteLimitValidator(maxBytes, edit));
}

void CZqWindow::SetTabStop(int id, bool stop)
{
    QWidget* w = GetDlgItem(id);
    if (!w) return;
    QVariant saved = w->property(kTabPolicyProperty);
    if (!stop) {
        if (!(w->focusPolicy() & Qt::TabFocus)) return;
        if (!saved.isValid()) w->setProperty(kTabPolicyProperty, int(w->focusPolicy()));
        w->setFocusPolicy(Qt::ClickFocus);
    } else if (!(w->focusPolicy() & Qt::TabFocus)) {
        w->setFocusPolicy(saved.isValid() ? Qt::FocusPolicy(saved.toInt()) : Qt::StrongFocus);
    }
}

bool CZqWindow::IsTabStop(int id) const
{
    QWidget* w = GetDlgItem(id);
    return w && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

void CZqWindow::SetFocusTo(int id)
{
    if (QWidget* w = GetDlgItem(id)) w->setFocus(Qt::OtherFocusReason);
}

int CZqWindow::GetFocusId() const
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !controls_) return 0;
    return controls_->idOf(focus);
}

void CZqWindow::NextDlgCtrl(bool backwards)
{
    QWidget* root = rootWidget();
    if (!root) return;
    QWidget* start = QApplication::focusWidget();
    if (!start || !root->window()->isAncestorOf(start)) start = root;
    QWidget* w = start;
    do {
        w = backwards ? w->previousInFocusChain() : w->nextInFocusChain();
        if (w == start) break;
        if (w->window() != root->window()) continue;
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) continue;
        if (!w->isEnabled() || !w->isVisible()) continue;
        if (w->focusProxy()) continue;
        w->setFocus(backwards ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        return;
    } while (w);
}

void CZqWindow::ResetContent(int id)
{
    QWidget* w = GetDlgItem(id);
    QSignalBlocker block(w);
    if (auto* combo = qobject_cast<QComboBox*>(w)) combo->clear();
    else if (auto* list = qobject_cast<QListWidget*>(w)) list->clear();
    else if (auto* tree = qobject_cast<QTreeWidget*>(w)) tree->clear();
}

int CZqWindow::AddString(int id, const std::string& bytes)
{
    QWidget* w = GetDlgItem(id);
    QSignalBlocker block(w);
    const QString text = zqToQString(bytes);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->addItem(text);
        return combo->count() - 1;
    }
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->addItem(text);
        return list->count() - 1;
    }
    if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
        tree->addTopLevelItem(new QTreeWidgetItem(QStringList{text}));  // owned by the tree
        return tree->topLevelItemCount() - 1;
    }
    return -1;
}

int CZqWindow::GetCurSel(int id) const
{
    QWidget* w = GetDlgItem(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentIndex();
    if (auto* list = qobject_cast<QListWidget*>(w)) {
        QListWidgetItem* current = list->currentItem();
        return current && current->isSelected() ? list->row(current) : -1;
    }
    if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
        QTreeWidgetItem* current = tree->currentItem();
        return current ? tree->indexOfTopLevelItem(current) : -1;
    }
    return -1;
}

void CZqWindow::SetCurSel(int id, int index)
{
    QWidget* w = GetDlgItem(id);
    QSignalBlocker block(w);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (index >= 0 && index < list->count()) {
            list->setCurrentRow(index);
        } else {
            list->setCurrentRow(-1);
            list->clearSelection();
        }
    } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
        QTreeWidgetItem* row = tree->topLevelItem(index);
        tree->setCurrentItem(row);
        if (!row) tree->clearSelection();
    }
}

int CZqWindow::GetCount(int id) const
{
    QWidget* w = GetDlgItem(id);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->count();
    if (auto* list = qobject_cast<QListWidget*>(w)) return list->count();
    if (auto* tree = qobject_cast<QTreeWidget*>(w)) return tree->topLevelItemCount();
    return 0;
}

std::string CZqWindow::GetItemText(int id, int index) const
{
    QWidget* w = GetDlgItem(id);
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (index >= 0 && index < combo->count()) text = combo->itemText(index);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (QListWidgetItem* row = list->item(index)) text = row->text();
    } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
        if (QTreeWidgetItem* row = tree->topLevelItem(index)) text = row->text(0);
    }
    return zqFromQString(text);
}

void CZqWindow::SetZq20Font(QWidget* window)
{
    QWidget* target = window ? window : rootWidget();
    if (!target) return;
    const QFont font = QApplication::font("QDialog");
    target->setFont(font);
    for (QWidget* child : target->findChildren<QWidget*>()) child->setFont(font);
}

bool CZqWindow::OnInitDialog() { return true; }

bool CZqWindow::OnCommand(int id)
{
    switch (id) {
    case IDOK: OnOK(); return true;
    case IDCANCEL: OnCancel(); return true;
    case IDHELP_ZQ: OnHelp(); return true;
    default: return false;
    }
}

void CZqWindow::OnEditChange(int) {}
void CZqWindow::OnSelChange(int) {}
void CZqWindow::OnDblClk(int) {}
bool CZqWindow::OnKeyDown(int, int, Qt::KeyboardModifiers) { return false; }
bool CZqWindow::OnKillFocus(int, int) { return true; }
bool CZqWindow::OnNotify(int, int, long long) { return false; }
void CZqWindow::OnHelp() {}
void CZqWindow::OnOK() {}
void CZqWindow::OnCancel() {}
