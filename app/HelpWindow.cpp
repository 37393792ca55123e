#include "HelpWindow.h"

#include <algorithm>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLocale>
#include <QResource>
#include <QScreen>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppLanguage.h"
#include "AppLog.h"

namespace {

// Where mobr maps the resource file; the module maps the same file under a
// root of its own, which mobr neither knows nor needs.
const QString kRoot = QStringLiteral("/mobr-help");

bool& pagesRegistered()
{
    static bool registered = false;
    return registered;
}

QString pageName(int topic)
{
    return topic == HelpWindow::kManual ? QStringLiteral("index.html") : QStringLiteral("%1.html").arg(topic);
}

}  // namespace

bool HelpWindow::registerPages(const QString& rccPath)
{
    if (pagesRegistered()) return true;
    const QString path =
        rccPath.isEmpty() ? QDir(QCoreApplication::applicationDirPath()).filePath("ZQRCTMPL.rcc") : rccPath;
    pagesRegistered() = QResource::registerResource(path, kRoot);
    if (!pagesRegistered()) qCWarning(lcApp) << "help pages not found: cannot register" << path;
    return pagesRegistered();
}

QString HelpWindow::language()
{
    if (AppLanguage::isJapanese() && QFileInfo::exists(QStringLiteral(":%1/help/ja/index.html").arg(kRoot)))
        return "ja";
    return "en";
}

QString HelpWindow::pageFolder()
{
    return QStringLiteral(":%1/help/%2").arg(kRoot, language());
}

// A page not yet written in the language in use is shown in English rather
// than not at all.
QUrl HelpWindow::pageUrl(int topic)
{
    const QString name = pageName(topic);
    QString folder = language();
    if (folder != "en" && !QFileInfo::exists(QStringLiteral(":%1/help/%2/%3").arg(kRoot, folder, name))) folder = "en";
    return QUrl(QStringLiteral("qrc:%1/help/%2/%3").arg(kRoot, folder, name));
}

HelpWindow* HelpWindow::showTopic(int topic, QWidget* mainWindow)
{
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = mainWindow;
    auto* help = owner ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!help) {
        help = new HelpWindow(owner);
        // Help about a dialog has no use once the dialog is gone.
        if (auto* dialog = qobject_cast<QDialog*>(owner))
            connect(dialog, &QDialog::finished, help, &QWidget::close);
        if (owner) help->placeBeside(*owner);
    }
    help->open(topic);
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

// A dialog-type window: the window system is told that it belongs to its
// owner (WM_TRANSIENT_FOR on X11, which plain windows do not get) and keeps
// it above the owner; it still minimises, maximises and never blocks.
HelpWindow::HelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName("helpWindow");
    setWindowTitle(tr("mobr help"));
    // Never modal itself: the person reads it while working in the dialog.
    setWindowModality(Qt::NonModal);
    resize(620, 560);

    auto* bar = new QHBoxLayout;
    back_ = new QToolButton(this);
    back_->setObjectName("helpBack");
    back_->setText(tr("Back"));
    back_->setShortcut(QKeySequence::Back);
    forward_ = new QToolButton(this);
    forward_->setObjectName("helpForward");
    forward_->setText(tr("Forward"));
    forward_->setShortcut(QKeySequence::Forward);
    auto* contents = new QToolButton(this);
    contents->setObjectName("helpContents");
    contents->setText(tr("Contents"));
    for (QToolButton* b : {back_, forward_, contents}) {
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        bar->addWidget(b);
    }
    bar->addStretch();

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("helpBrowser");
    browser_->setOpenExternalLinks(true);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QToolButton::clicked, this, [this] { open(kManual); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(tr("%1 - mobr help").arg(browser_->documentTitle())); });
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_);
}

void HelpWindow::placeBeside(const QWidget& owner)
{
    const QRect screen = owner.screen()->availableGeometry();
    const QRect beside = owner.frameGeometry();
    constexpr int kGap = 8;
    // Right of the owner, else left of it, else at the screen's right edge,
    // partly over the owner: the text is what the person came for.
    int x = beside.right() + kGap;
    if (x + width() > screen.right()) x = beside.left() - kGap - width();
    if (x < screen.left()) x = screen.right() - width();
    const int y = std::clamp(beside.top(), screen.top(), std::max(screen.top(), screen.bottom() - height()));
    move(std::max(x, screen.left()), y);
}

void HelpWindow::open(int topic)
{
    topic_ = topic;
    registerPages();
    const QUrl page = pageUrl(topic);
    if (!QFileInfo::exists(":" + page.path())) {
        showMissingPage(topic);
        return;
    }
    browser_->setSource(page);
}

void HelpWindow::showMissingPage(int topic)
{
    qCWarning(lcApp) << "no help page for topic" << topic;
    const QString manual = QFileInfo::exists(":" + pageUrl(kManual).path())
                               ? tr("<p>See the <a href=\"%1\">contents</a> for the pages there are.</p>")
                                     .arg(pageUrl(kManual).toString())
                               : tr("<p>The help pages were not found: the resource file ZQRCTMPL.rcc "
                                    "belongs next to the program.</p>");
    browser_->setHtml(tr("<html><head><title>Topic %1</title></head><body><h1>Topic %1</h1>"
                         "<p>There is no help page for this topic.</p>%2</body></html>")
                          .arg(topic)
                          .arg(manual));
    setWindowTitle(tr("Topic %1 - mobr help").arg(topic));
}
