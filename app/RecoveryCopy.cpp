#include "RecoveryCopy.h"

#include <signal.h>

#include <cerrno>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "FigureDocument.h"

namespace {

bool processRuns(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace

RecoveryCopy::RecoveryCopy(QString folder, qint64 pid)
    : folder_(std::move(folder)), pid_(pid >= 0 ? pid : QCoreApplication::applicationPid())
{
}

QString RecoveryCopy::copyPath(qint64 pid) const
{
    return QDir(folder_).filePath(QStringLiteral("recovery-%1.fig").arg(pid));
}

QString RecoveryCopy::notePath(const QString& copy)
{
    return copy.chopped(4) + QStringLiteral(".json");
}

bool RecoveryCopy::write(const QString& originalPath, std::string* error)
{
    if (!QDir().mkpath(folder_)) {
        if (error) *error = folder_.toStdString() + ": cannot create the recovery folder";
        return false;
    }
    const QString copy = copyPath(pid_);
    if (!FigureDocument::saveCopy(copy.toStdString(), error)) return false;
    const QJsonObject note{{"path", originalPath}};
    return FigureDocument::writeText(notePath(copy).toStdString(),
                                     QJsonDocument(note).toJson(QJsonDocument::Compact).toStdString(), error);
}

void RecoveryCopy::discard()
{
    QFile::remove(copyPath(pid_));
    QFile::remove(notePath(copyPath(pid_)));
}

bool RecoveryCopy::exists() const
{
    return QFileInfo::exists(copyPath(pid_));
}

QList<RecoveryCopy::LeftBehind> RecoveryCopy::leftBehind() const
{
    static const QRegularExpression name(QStringLiteral("^recovery-(\\d+)\\.fig$"));
    QList<LeftBehind> found;
    const QFileInfoList files = QDir(folder_).entryInfoList({"recovery-*.fig"}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) {
        const QRegularExpressionMatch match = name.match(file.fileName());
        if (!match.hasMatch()) continue;
        const qint64 pid = match.captured(1).toLongLong();
        if (pid != pid_ && processRuns(pid)) continue;
        LeftBehind copy{file.filePath(), QString(), file.lastModified()};
        QFile note(notePath(copy.copy));
        if (note.open(QIODevice::ReadOnly))
            copy.originalPath = QJsonDocument::fromJson(note.read(64 * 1024)).object().value("path").toString();
        found << copy;
    }
    return found;
}

void RecoveryCopy::remove(const LeftBehind& copy)
{
    QFile::remove(copy.copy);
    QFile::remove(notePath(copy.copy));
}
