#include "mobrdlg/ZqMessageBox.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>

#include "mobrdlg/ZqModalStack.h"
#include "mobrdlg/ZqResources.h"
#include "mobrdlg/ZqText.h"
#include "mobrdlg/ZqUiDriver.h"

namespace {

Q_LOGGING_CATEGORY(lcDlg, "mobr.dlg")

QString expand(const QString& pattern, const QString& argument)
{
    QString out;
    bool used = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == u's') {
                if (!used) out += argument;
                used = true;
                ++i;
                continue;
            }
            if (pattern[i + 1] == u'%') {
                out += u'%';
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

QString messageText(int messageId, const QString& argument)
{
    QString pattern = ZqGetQString(messageId);
    if (pattern.isNull()) pattern = QStringLiteral("Message %1").arg(messageId);
    return expand(pattern, argument);
}

QMessageBox::StandardButton buttonFor(int answer)
{
    switch (answer) {
    case ZQ_ID_OK: return QMessageBox::Ok;
    case ZQ_ID_CANCEL: return QMessageBox::Cancel;
    case ZQ_ID_ABORT: return QMessageBox::Abort;
    case ZQ_ID_RETRY: return QMessageBox::Retry;
    case ZQ_ID_IGNORE: return QMessageBox::Ignore;
    case ZQ_ID_YES: return QMessageBox::Yes;
    case ZQ_ID_NO: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

int show(QWidget* owner, unsigned flags, int messageId, const QString& text,
         const QString& argument)
{
    if (CZqUiDriver* driver = CZqUiDriver::current())
        return driver->messageBox(owner, flags, messageId, text, argument);
    // Without a display nobody can answer: the default button answers, and
    // the message goes to the log instead of waiting for ever.
    const QString platform = QGuiApplication::platformName();
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || platform == u"offscreen" ||
        platform == u"minimal") {
        const int answer = ZqMessageBoxDefaultAnswer(flags);
        qCWarning(lcDlg, "message %d answered %d without a person (no display): %s", messageId, answer,
                  qUtf8Printable(text));
        return answer;
    }

    QMessageBox box(owner);
    box.setWindowTitle(owner ? owner->window()->windowTitle()
                             : QApplication::applicationDisplayName());
    box.setText(text);
    switch (flags & 0xF0) {
    case ZQ_MB_ICONSTOP: box.setIcon(QMessageBox::Critical); break;
    case ZQ_MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case ZQ_MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case ZQ_MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    const std::vector<int> answers = ZqMessageBoxAnswers(flags);
    for (int answer : answers) box.addButton(buttonFor(answer));
    box.setDefaultButton(buttonFor(ZqMessageBoxDefaultAnswer(flags)));
    // Escape answers Cancel where there is one, OK in a box with OK alone.
    for (int answer : answers)
        if (answer == ZQ_ID_CANCEL || answers.size() == 1) box.setEscapeButton(buttonFor(answer));
    box.exec();
    for (int answer : answers)
        if (box.clickedButton() == box.button(buttonFor(answer))) return answer;
    return answers.size() == 1 ? answers.front() : ZQ_ID_CANCEL;
}

}  // namespace

std::vector<int> ZqMessageBoxAnswers(unsigned flags)
{
    switch (flags & 0x0F) {
    case ZQ_MB_OKCANCEL: return {ZQ_ID_OK, ZQ_ID_CANCEL};
    case ZQ_MB_ABORTRETRYIGNORE: return {ZQ_ID_ABORT, ZQ_ID_RETRY, ZQ_ID_IGNORE};
    case ZQ_MB_YESNOCANCEL: return {ZQ_ID_YES, ZQ_ID_NO, ZQ_ID_CANCEL};
    case ZQ_MB_YESNO: return {ZQ_ID_YES, ZQ_ID_NO};
    case ZQ_MB_RETRYCANCEL: return {ZQ_ID_RETRY, ZQ_ID_CANCEL};
    default: return {ZQ_ID_OK};
    }
}

int ZqMessageBoxDefaultAnswer(unsigned flags)
{
    const std::vector<int> answers = ZqMessageBoxAnswers(flags);
    size_t index = (flags >> 8) & 0x0F;
    return answers[index < answers.size() ? index : 0];
}

std::string ZqFormatMessage(int messageId, const char* argument)
{
    return zqFromQString(messageText(messageId, argument ? zqToQString(argument) : QString()));
}

int ZqDlgMessageBox(QWidget* owner, unsigned flags, int, int messageId, const char* argument)
{
    const QString arg = argument ? zqToQString(argument) : QString();
    return show(owner, flags, messageId, messageText(messageId, arg), arg);
}

int ZqDlgWarningBox(QWidget* owner, int messageId)
{
    return ZqDlgMessageBox(owner, ZQ_MB_OK | ZQ_MB_ICONEXCLAMATION, 0, messageId, nullptr);
}

int ZqDlgTextBox(QWidget* owner, unsigned flags, const std::string& text, int messageId)
{
    return show(owner, flags, messageId, zqToQString(text), QString());
}
