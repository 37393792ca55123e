#include "mobrdlg/ZqFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "mobrdlg/ZqText.h"
#include "mobrdlg/ZqUiDriver.h"

namespace {

QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        if (description.isEmpty()) break;
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == u"*.*") pattern = QStringLiteral("*");
        }
        // Qt reads the patterns from the parentheses of the description.
        QString described = description;
        const qsizetype open = described.lastIndexOf(u'(');
        if (open >= 0) described = described.left(open).trimmed();
        entries << QStringLiteral("%1 (%2)").arg(described, patterns.join(u' '));
    }
    return entries.join(QStringLiteral(";;"));
}

}  // namespace

std::string ZqQtFileFilter(const std::string& filter)
{
    return zqFromQString(qtFilter(zqToQString(filter)));
}

bool ZqFileDialog(QWidget* owner, bool open, const std::string& filter, const std::string& folder,
                  const std::string& name, std::string& path, const std::string& title)
{
    if (CZqUiDriver* driver = CZqUiDriver::current()) {
        QString chosen;
        if (!driver->fileDialog(open, zqToQString(filter), zqToQString(folder), zqToQString(name),
                                chosen))
            return false;
        path = zqFromQString(chosen);
        return true;
    }
    const QString start = QDir(zqToQString(folder)).filePath(zqToQString(name));
    const QString caption = zqToQString(title);
    const QString filters = qtFilter(zqToQString(filter));
    const QString chosen = open ? QFileDialog::getOpenFileName(owner, caption, start, filters)
                                : QFileDialog::getSaveFileName(owner, caption, start, filters);
    if (chosen.isEmpty()) return false;
    path = zqFromQString(QDir::toNativeSeparators(chosen));
    return true;
}
