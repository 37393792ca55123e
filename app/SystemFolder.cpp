#include "SystemFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QCryptographicHash>

#include <sys/stat.h>
#include <unistd.h>

QString SystemFolder::userData()
{
    QString base = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    if (base.isEmpty()) base = QDir::homePath() + "/.local/share";
    return base + "/mobr";
}

QString SystemFolder::userDefault()
{
    return userData() + "/system";
}

QString SystemFolder::bundled()
{
    return QCoreApplication::applicationDirPath() + "/system";
}

bool SystemFolder::copyTree(const QString& from, const QString& to, QString* error)
{
    const QDir source(from);
    if (!source.exists()) {
        if (error) *error = from + ": no such folder";
        return false;
    }
    if (!QDir().mkpath(to)) {
        if (error) *error = to + ": cannot create the folder";
        return false;
    }
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + "/" + source.relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target)) {
                if (error) *error = target + ": cannot create the folder";
                return false;
            }
        } else {
            QFile::remove(target);
            if (!QFile::copy(path, target)) {
                if (error) *error = path + ": cannot copy to " + target;
                return false;
            }
            QFile(target).setPermissions(QFile(target).permissions() | QFileDevice::WriteOwner);
        }
    }
    return true;
}

namespace {

bool isAscii(const QByteArray& bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// The folder that holds the aliases: /tmp/mobr-<uid>, made private to this
// user. The path stays the same from one start to the next, so folder names
// the host saves in its settings still lead to the same place after a
// restart. A folder there that is not this user's own private folder (or is
// a link) is never used.
QString aliasFolder()
{
    const QString path = QDir::tempPath() + QStringLiteral("/mobr-%1").arg(::getuid());
    if (!isAscii(path.toUtf8())) return QString();
    ::mkdir(QFile::encodeName(path).constData(), 0700);
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 0077) != 0)
        return QString();
    return path;
}

// The alias of `folder`: named by a hash of its path, so the same folder
// always has the same alias, made again when /tmp was emptied.
QString aliasOf(const QString& folder)
{
    const QString aliases = aliasFolder();
    if (aliases.isEmpty()) return QString();
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    const QString alias = aliases + "/folder-" + QString::fromLatin1(hash);
    const QFileInfo existing(alias);
    if (existing.isSymLink() && existing.symLinkTarget() == folder) return alias;
    QFile::remove(alias);
    return QFile::link(folder, alias) ? alias : QString();
}

}  // namespace

bool SystemFolder::hostPath(const QString& folder, std::string& out, QString* error)
{
    const QString absolute = QFileInfo(folder).absoluteFilePath();
    if (isAscii(absolute.toUtf8())) {
        out = absolute.toStdString();
        return true;
    }
    const QString alias = QDir().mkpath(absolute) ? aliasOf(absolute) : QString();
    if (alias.isEmpty()) {
        if (error)
            *error = folder + ": the host keeps folders in its code page, and no ASCII alias could be made for "
                              "this one; use --system with a folder whose path is ASCII";
        return false;
    }
    out = alias.toStdString();
    return true;
}
