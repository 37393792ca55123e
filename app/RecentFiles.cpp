#include "RecentFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include "AppLog.h"
#include "FigureDocument.h"

namespace {

constexpr qint64 kMaxListBytes = 256 * 1024;

}  // namespace

RecentFiles::RecentFiles(QString file) : file_(std::move(file))
{
    load();
}

void RecentFiles::load()
{
    if (file_.isEmpty()) return;
    QFile file(file_);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QJsonArray list = QJsonDocument::fromJson(file.read(kMaxListBytes)).array();
    for (const QJsonValue& v : list) {
        const QString path = v.toString();
        if (!path.isEmpty() && !paths_.contains(path) && paths_.size() < kMaxEntries) paths_ << path;
    }
}

void RecentFiles::store() const
{
    if (file_.isEmpty()) return;
    QDir().mkpath(QFileInfo(file_).absolutePath());
    const QByteArray text = QJsonDocument(QJsonArray::fromStringList(paths_)).toJson(QJsonDocument::Indented);
    std::string error;
    if (!FigureDocument::writeText(file_.toStdString(), text.toStdString(), &error))
        qCWarning(lcApp) << "recent files not kept:" << QString::fromStdString(error);
}

void RecentFiles::add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths_.removeAll(absolute);
    paths_.prepend(absolute);
    while (paths_.size() > kMaxEntries) paths_.removeLast();
    store();
}

void RecentFiles::remove(const QString& path)
{
    if (paths_.removeAll(path) > 0) store();
}

void RecentFiles::clear()
{
    paths_.clear();
    store();
}
