#include "ScenarioPath.h"

#include <QDir>
#include <QFileInfo>

namespace ScenarioPath {

namespace {

// The canonical form of the longest existing part of `path`, with the rest
// appended as it is (the rest holds no "..": callers cleaned it).
QString canonicalOf(const QString& path)
{
    QString existing = QDir::cleanPath(path);
    QString rest;
    while (!existing.isEmpty() && !QFileInfo::exists(existing)) {
        const int slash = existing.lastIndexOf('/');
        if (slash < 0) return QString();
        rest = existing.mid(slash) + rest;
        existing = slash == 0 ? QString("/") : existing.left(slash);
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    if (canonical.isEmpty()) return QString();
    return QDir::cleanPath(canonical + rest);
}

}  // namespace

bool staysInside(const QString& folder, const QString& path)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty()) return false;
    // A dangling symbolic link would be followed by a write: refuse it.
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists()) return false;
    const QString target = canonicalOf(QFileInfo(path).absoluteFilePath());
    return !target.isEmpty() && target != root && target.startsWith(root + '/');
}

QString resolveInside(const QString& folder, const QString& relative, bool createFolders, QString* why)
{
    auto refuse = [&](const QString& reason) {
        if (why) *why = "\"" + relative + "\" " + reason;
        return QString();
    };
    if (relative.isEmpty()) return refuse("is not a path inside the working folder (empty)");
    QString path = relative;
    path.replace('\\', '/');
    if (path.size() >= 2 && path[1] == ':' && path[0].isLetter())
        return refuse("is not a path inside the working folder (a drive prefix)");
    if (path.startsWith('/')) return refuse("is not a path inside the working folder (absolute)");
    for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
        if (part == "..") return refuse("is not a path inside the working folder (\"..\" leaves it)");
    }
    const QString cleaned = QDir::cleanPath(path);
    if (cleaned.isEmpty() || cleaned == "." || path.endsWith('/'))
        return refuse("is not a file name inside the working folder");
    const QString full = QDir(folder).filePath(cleaned);
    if (!staysInside(folder, full)) return refuse("leaves the working folder through a symbolic link");
    if (createFolders) {
        QDir().mkpath(QFileInfo(full).absolutePath());
        // mkpath follows links: check again once the folders exist.
        if (!staysInside(folder, full)) return refuse("leaves the working folder through a symbolic link");
    }
    return full;
}

}  // namespace ScenarioPath
