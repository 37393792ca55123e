#include "mobrdlg/ZqFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "mobrdlg/ZqText.h"
#include "platform/CodePage.h"
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
    return ZqFileDialog(owner, open, filter, folder, name, path, title, ZqFileDialogOptions());
}

namespace {

// `path` with ".<extension>" added when its file name has no extension.
std::string withDefaultExtension(const std::string& path, const std::string& extension)
{
    if (extension.empty()) return path;
    // Split as the code page reads it: a 0x5C trail byte is no separator.
    const bool hasExtension = !mobr::cp932::splitPath(path).extension.empty();
    return hasExtension ? path : path + "." + extension;
}

}  // namespace

bool ZqFileDialog(QWidget* owner, bool open, const std::string& filter, const std::string& folder,
                  const std::string& name, std::string& path, const std::string& title,
                  const ZqFileDialogOptions& options)
{
    if (CZqUiDriver* driver = CZqUiDriver::current()) {
        QString chosen;
        if (!driver->fileDialog(open, zqToQString(filter), zqToQString(folder), zqToQString(name),
                                chosen))
            return false;
        path = withDefaultExtension(zqFromQString(chosen), options.defaultExtension);
        return true;
    }
    const QString start = QDir(zqToQString(folder)).filePath(zqToQString(name));
    const QString caption = zqToQString(title);
    QFileDialog dialog(owner, caption, start, qtFilter(zqToQString(filter)));
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!options.defaultExtension.empty()) dialog.setDefaultSuffix(zqToQString(options.defaultExtension));
    const QStringList filters = dialog.nameFilters();
    if (options.filterIndex >= 1 && options.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[options.filterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = withDefaultExtension(zqFromQString(QDir::toNativeSeparators(dialog.selectedFiles().front())),
                                options.defaultExtension);
    return true;
}
