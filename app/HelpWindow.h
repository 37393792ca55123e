#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

// The help window: the manual of mobr and one page per help topic that a
// settings dialog asks for, shown as HTML with links, back and forward.
//
// The pages live in the settings module's resource file (help/<language>/
// <topic>.html, help/<language>/index.html for the manual), so that the
// texts travel with the dialogs they describe and a second language can sit
// beside the first. mobr registers that file itself, under its own root,
// from the folder the module is loaded from; it does not depend on where
// the module mapped it.
//
// A dialog asking for help is usually application-modal, and an
// application-modal dialog blocks input to every window that is not its own
// child. So the help window shown for a request belongs to the window that
// is modal at that moment (a child window of it, kept above it by the
// window system as its transient child, closed when it finishes); without a
// modal dialog it belongs to the main window.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The manual: the contents page that lists every page.
    static constexpr int kManual = 0;

    // Shows `topic` in the help window of the active modal dialog, or of
    // `mainWindow` when none is open, creating that window on first use.
    static HelpWindow* showTopic(int topic, QWidget* mainWindow);

    // Makes the pages readable: registers the resource file `rccPath` (by
    // default ZQRCTMPL.rcc next to the program, where the module is) under
    // the help root. False when the file is missing or not a resource file.
    static bool registerPages(const QString& rccPath = QString());
    // The language folder in use: "ja" when the default locale is Japanese
    // and that set exists, otherwise "en".
    static QString language();
    // The page of a topic (qrc URL); the manual for kManual. A page missing
    // in the language in use is taken from "en".
    static QUrl pageUrl(int topic);
    // The folder of the pages in use, e.g. ":/mobr-help/help/en".
    static QString pageFolder();

    explicit HelpWindow(QWidget* owner);
    void open(int topic);
    int topic() const { return topic_; }
    QTextBrowser* browser() const { return browser_; }

private:
    void showMissingPage(int topic);
    // Puts the window next to `owner` on its screen, so that the dialog it
    // explains stays in sight where there is room.
    void placeBeside(const QWidget& owner);

    QTextBrowser* browser_ = nullptr;   // owned by the window (Qt parent)
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    int topic_ = kManual;
};
