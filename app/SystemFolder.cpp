#include "SystemFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

bool SystemFolder::hostPath(const QString& folder, std::string& out, QString* error)
{
    const QByteArray utf8 = QFileInfo(folder).absoluteFilePath().toUtf8();
    for (char c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            if (error)
                *error = folder + ": a system folder needs a path of ASCII characters (the host keeps it in its "
                                  "code page, and another name would be another folder); refused";
            return false;
        }
    }
    out = utf8.toStdString();
    return true;
}
