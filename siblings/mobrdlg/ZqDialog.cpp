#include "mobrdlg/ZqDialog.h"

#include <QKeyEvent>
#include <QPushButton>

#include "mobrdlg/ZqControls.h"
#include "mobrdlg/ZqModalStack.h"
#include "mobrdlg/ZqUiDriver.h"

CZqDialog::CZqDialog(const char* layoutName, QWidget* parent) : QDialog(parent)
{
    if (layoutName && *layoutName) {
        layoutName_ = layoutName;
        created_ = buildLayout(layoutName);
        if (created_) setCreated();
    }
}

CZqDialog::~CZqDialog()
{
    CZqModalStack::pop(this);
}

void CZqDialog::setCreated()
{
    created_ = true;
    if (!controls()) attachControls();
    // The OK button is the default button unless the layout chose another.
    bool hasDefault = false;
    for (QPushButton* button : findChildren<QPushButton*>()) hasDefault |= button->isDefault();
    if (!hasDefault)
        if (auto* ok = item<QPushButton>(IDOK)) ok->setDefault(true);
}

const std::string& CZqDialog::layoutName() const
{
    return layoutName_;
}

QWidget* CZqDialog::rootWidget() const
{
    return const_cast<CZqDialog*>(this);
}

bool CZqDialog::prepareShow()
{
    return created_;
}

int CZqDialog::finishModal(int result)
{
    hide();
    result_ = result;
    if (CZqModalStack::hasPending()) std::rethrow_exception(CZqModalStack::takePending());
    return result;
}

int CZqDialog::DoModal()
{
    if (!prepareShow()) return ZQ_RESULT_NOT_CREATED;
    // A page's OnInitDialog that threw while the sheet was being prepared.
    if (CZqModalStack::hasPending()) std::rethrow_exception(CZqModalStack::takePending());
    ended_ = false;
    result_ = 0;
    CZqModalScope scope(this);
    const bool init = OnInitDialog();
    if (ended_) return finishModal(result_);
    if (!init) return finishModal(ZQ_RESULT_CLOSED_OPENING);

    int result = 0;
    if (CZqUiDriver* driver = CZqUiDriver::current()) {
        result = driver->runModal(*this);
    } else {
        setModal(true);
        const int loop = exec();
        result = ended_ ? result_ : loop;
    }
    return finishModal(result);
}

bool CZqDialog::Create(const char* layoutName, QWidget* parent)
{
    if (parent && parent != parentWidget()) setParent(parent, windowFlags());
    if (!created_ && layoutName && *layoutName) {
        layoutName_ = layoutName;
        if (buildLayout(layoutName)) setCreated();
    }
    if (!prepareShow()) return false;
    ended_ = false;
    result_ = 0;
    const bool init = CZqModalStack::guarded(false, [this] { return OnInitDialog(); });
    if (ended_ || !init) return false;
    setModal(false);
    show();
    return true;
}

void CZqDialog::EndDialog(int result)
{
    result_ = result;
    ended_ = true;
    if (isVisible()) done(result);
    else setResult(result);
}

void CZqDialog::OnOK()
{
    EndDialog(ZQ_RESULT_OK);
}

void CZqDialog::OnCancel()
{
    EndDialog(ZQ_RESULT_CANCEL);
}

void CZqDialog::accept()
{
    if (controls()) controls()->dispatchCommand(IDOK);
    else EndDialog(ZQ_RESULT_OK);
}

void CZqDialog::reject()
{
    if (controls()) controls()->dispatchCommand(IDCANCEL);
    else EndDialog(ZQ_RESULT_CANCEL);
}

void CZqDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier && controls()) {
        controls()->dispatchHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

CZqWindow* CZqDialog::windowOf(int id)
{
    return GetDlgItem(id) ? this : nullptr;
}

bool CZqDialog::switchPage(int)
{
    return false;
}

std::string CZqDialog::scriptName() const
{
    return layoutName_;
}

std::string CZqDialog::shownPageName() const
{
    return {};
}

int CZqDialog::pageIndexOf(const std::string&) const
{
    return -1;
}
