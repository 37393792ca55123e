#include "mobrdlg/ZqPropertySheet.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "mobrdlg/ZqControls.h"
#include "mobrdlg/ZqModalStack.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqSheetTabs.h"
#include "mobrdlg/ZqUiLoader.h"
#include "mobrdlg/ZqText.h"

CZqPropertySheet::CZqPropertySheet(const std::string& caption, QWidget* parent, int firstPage)
    : CZqDialog(nullptr, parent)
{
    build(zqToQString(caption), firstPage);
}

CZqPropertySheet::CZqPropertySheet(int captionId, QWidget* parent, int firstPage)
    : CZqDialog(nullptr, parent)
{
    build(ZqGetQString(captionId), firstPage);
}

CZqPropertySheet::~CZqPropertySheet()
{
    // Pages belong to the caller: take them out before Qt deletes children.
    // Taking a page out moves the tab widget to another page; that must not
    // build a page that was never shown (its host copies may be ended by now).
    const QSignalBlocker quiet(tabs_);
    for (auto& page : pages_)
        if (page) page->setParent(nullptr);
}

void CZqPropertySheet::build(const QString& caption, int firstPage)
{
    first_ = firstPage;
    name_ = caption.toStdString();
    setWindowTitle(caption);
    auto* box = new QVBoxLayout(this);  // owned by the sheet
    tabs_ = new CZqSheetTabs(
        this, [this](int index) { return activate(index, true); },
        [this](int key, Qt::KeyboardModifiers modifiers) { return pageKey(key, modifiers); });
    box->addWidget(tabs_);
    auto* buttons = new QHBoxLayout;  // owned by the box layout
    buttons->addStretch(1);
    auto addButton = [&](int id, const QString& text) {
        auto* button = new QPushButton(text, this);  // owned by the sheet
        button->setObjectName(QStringLiteral("c%1").arg(id));
        buttons->addWidget(button);
        return button;
    };
    ZqUpdateLayoutTranslator();  // the buttons' texts are translated like a layout's
    addButton(IDOK, tr("OK"));
    addButton(IDCANCEL, tr("Cancel"));
    help_ = addButton(IDHELP_ZQ, tr("Help"));
    help_->setVisible(false);
    box->addLayout(buttons);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { onCurrentChanged(index); });
    setCreated();
}

void CZqPropertySheet::AddPage(CZqPropertyPage* page)
{
    if (!page || GetPageIndex(page) >= 0) return;
    page->sheet_ = this;
    pages_.emplace_back(page);
    QSignalBlocker block(tabs_);
    tabs_->addTab(page, page->caption());
}

CZqPropertyPage* CZqPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < int(pages_.size()) ? pages_[size_t(index)].data() : nullptr;
}

CZqPropertyPage* CZqPropertySheet::GetActivePage() const
{
    return GetPage(active_);
}

int CZqPropertySheet::GetPageIndex(const CZqPropertyPage* page) const
{
    for (size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i] == page) return int(i);
    return -1;
}

bool CZqPropertySheet::SetActivePage(int index)
{
    if (active_ < 0) {
        if (index < 0 || index >= GetPageCount()) return false;
        first_ = index;
        return true;
    }
    return activate(index, true);
}

bool CZqPropertySheet::SetActivePage(CZqPropertyPage* page)
{
    return SetActivePage(GetPageIndex(page));
}

void CZqPropertySheet::ShowHelpButton(bool show)
{
    help_->setVisible(show);
}

bool CZqPropertySheet::prepareShow()
{
    if (pages_.empty()) return true;
    if (active_ >= 0) return true;
    const int start = first_ >= 0 && first_ < GetPageCount() ? first_ : 0;
    CZqPropertyPage* page = GetPage(start);
    if (!page || !page->createPage()) return false;
    reserveLayoutSizes();
    return activate(start, false);
}

void CZqPropertySheet::reserveLayoutSizes()
{
    // Pages are built when first shown; until then they have no size of
    // their own. Each one not built yet is measured on a throwaway copy of
    // its layout, so that the sheet opens as large as its largest page and
    // does not grow when a larger page is first shown.
    for (const auto& page : pages_) {
        if (!page || page->IsCreated()) continue;
        QWidget probe;
        CZqUiLoader loader(&probe);
        if (!loader.loadInto(page->layoutName().c_str())) continue;
        page->setMinimumSize(probe.sizeHint().expandedTo(probe.minimumSizeHint()));
    }
}

// Shows page `index`: the page shown asks to be left (when `checkLeave`), the
// new one is created when first shown and asked to be shown.
bool CZqPropertySheet::activate(int index, bool checkLeave)
{
    CZqPropertyPage* page = GetPage(index);
    if (!page) return false;
    if (index == active_) return true;
    CZqPropertyPage* old = GetActivePage();
    if (checkLeave && old &&
        !CZqModalStack::guarded(false, [old] { return old->OnKillActive(); }))
        return false;
    const bool created = CZqModalStack::guarded(false, [this, page] {
        const bool wasCreated = page->IsCreated();
        if (!page->createPage()) return false;
        if (!wasCreated && page->controls())
            page->controls()->setKeyPreview(
                [this](int key, Qt::KeyboardModifiers modifiers) { return pageKey(key, modifiers); });
        return true;
    });
    if (!created) return false;
    if (!CZqModalStack::guarded(false, [page] { return page->OnSetActive(); })) return false;
    {
        // The focus leaving the hidden page is no user's move: no OnKillFocus.
        CZqControls::FocusSilencer silence;
        switching_ = true;
        active_ = index;
        tabs_->setCurrentIndex(index);
        tabs_->setTabText(index, page->caption());
        switching_ = false;
        focusFirstControl(page);
    }
    return true;
}

void CZqPropertySheet::onCurrentChanged(int index)
{
    // A switch that did not come through activate (Qt's own handling):
    // the new page still gets created and told.
    if (switching_ || index == active_) return;
    CZqPropertyPage* page = GetPage(index);
    if (!page) return;
    active_ = index;
    CZqModalStack::guardedVoid([page] {
        page->createPage();
        page->OnSetActive();
    });
}

void CZqPropertySheet::focusFirstControl(CZqPropertyPage* page)
{
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w)) break;
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !w->isEnabled() ||
            !w->isVisibleTo(this) || w->focusProxy())
            continue;
        w->setFocus(Qt::TabFocusReason);
        return;
    }
    tabs_->tabBar()->setFocus(Qt::TabFocusReason);
}

bool CZqPropertySheet::pageKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::ControlModifier) || modifiers & Qt::AltModifier) return false;
    const int count = GetPageCount();
    if (count < 2) return false;
    int step = 0;
    if ((key == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier)) || key == Qt::Key_PageDown)
        step = 1;
    else if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && (modifiers & Qt::ShiftModifier)) ||
             key == Qt::Key_PageUp)
        step = -1;
    if (step == 0) return false;
    activate((active_ + step + count) % count, true);
    return true;
}

void CZqPropertySheet::keyPressEvent(QKeyEvent* event)
{
    if (pageKey(event->key(), event->modifiers())) return;
    CZqDialog::keyPressEvent(event);
}

CZqWindow* CZqPropertySheet::windowOf(int id)
{
    CZqPropertyPage* page = GetActivePage();
    if (page && page->GetDlgItem(id)) return page;
    return GetDlgItem(id) ? this : nullptr;
}

bool CZqPropertySheet::switchPage(int index)
{
    return activate(index, true);
}

std::string CZqPropertySheet::scriptName() const
{
    return name_;
}

std::string CZqPropertySheet::shownPageName() const
{
    const CZqPropertyPage* page = GetActivePage();
    return page ? page->layoutName() : std::string();
}

int CZqPropertySheet::pageIndexOf(const std::string& layout) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        const CZqPropertyPage* page = GetPage(i);
        if (page && page->layoutName() == layout) return i;
    }
    return -1;
}

void CZqPropertySheet::OnOK()
{
    CZqPropertyPage* page = GetActivePage();
    if (page && !page->OnKillActive()) return;
    for (auto& p : pages_)
        if (p && p->IsCreated()) p->OnOK();
    EndDialog(ZQ_RESULT_OK);
}

void CZqPropertySheet::OnCancel()
{
    for (auto& p : pages_)
        if (p && p->IsCreated()) p->OnCancel();
    EndDialog(ZQ_RESULT_CANCEL);
}

void CZqPropertySheet::OnHelp()
{
    if (CZqPropertyPage* page = GetActivePage()) page->OnHelp();
}
