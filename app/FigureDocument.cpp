#include "FigureDocument.h"

#include "AppLog.h"
#include "DxfExport.h"
#include "DxfImport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include "model/FigureModel.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "store/FigureFile.h"
#include "store/FigureJson.h"

using mobrhost::Figure;
using mobrhost::FigureModel;

namespace {

// The context of the reasons given to the person; what the host and the
// figure readers say is passed on as it comes.
struct Doc {
    Q_DECLARE_TR_FUNCTIONS(FigureDocument)
};

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

// A JSON figure starts with '{' after white space; a DXF drawing with the
// group "0 SECTION" (or the binary form's sentinel); a figure file starts
// with the SQLite header. Only the first bytes are looked at.
enum class Kind { Json, Dxf, FigureFile, Unreadable };

std::vector<std::string>& notes()
{
    static std::vector<std::string> lines;
    return lines;
}

bool& dxfR12()
{
    static bool r12 = false;
    return r12;
}

void keepNotes(const mobrdxf::DxfReport& report, const std::string& path)
{
    const std::vector<std::string> lines = report.lines();
    notes().insert(notes().end(), lines.begin(), lines.end());
    for (const std::string& line : lines) qCInfo(lcApp) << path.c_str() << line.c_str();
}

Kind kindOf(const std::string& path, long long& size, std::string* error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (error) *error = path + ": " + std::strerror(errno);
        return Kind::Unreadable;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        if (error)
            *error = (S_ISDIR(st.st_mode) ? Doc::tr("%1: is a folder, not a figure")
                                          : Doc::tr("%1: is not a regular file (a FIFO, a device or a socket)"))
                         .arg(q(path))
                         .toStdString();
        return Kind::Unreadable;
    }
    size = static_cast<long long>(st.st_size);
    char head[4096];
    const ssize_t n = ::pread(fd, head, sizeof head, 0);
    ::close(fd);
    const std::string_view headText(head, n > 0 ? static_cast<std::size_t>(n) : 0);
    if (mobrdxf::looksLikeDxf(headText) || mobrdxf::isBinaryDxf(headText)) return Kind::Dxf;
    for (ssize_t i = 0; i < n; ++i) {
        const char c = head[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        return c == '{' ? Kind::Json : Kind::FigureFile;
    }
    return Kind::FigureFile;  // empty or blank: the figure file reader says why
}

// A figure JSON larger than this is not read (the largest figure, 65535
// elements in both spaces, is far below).
constexpr long long kMaxJsonBytes = 256LL * 1024 * 1024;

bool readAll(const std::string& path, std::string& text, std::string* error)
{
    long long size = 0;
    if (kindOf(path, size, error) == Kind::Unreadable) return false;
    if (size > kMaxJsonBytes) {
        if (error) *error = Doc::tr("%1: too large for a figure JSON (%2 bytes)").arg(q(path), QString::number(size)).toStdString();
        return false;
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = path + ": " + file.errorString().toStdString();
        return false;
    }
    text = file.read(kMaxJsonBytes + 1).toStdString();
    return true;
}

}  // namespace

Figure* FigureDocument::current()
{
    FigureModel& model = FigureModel::instance();
    return model.figure(model.current());
}

bool FigureDocument::take(std::unique_ptr<Figure> figure)
{
    FigureModel& model = FigureModel::instance();
    if (!model.replaceFigure(model.current(), std::move(figure))) return false;
    if (Figure* f = current()) model.refreshInUse(*f);
    return true;
}

void FigureDocument::newFigure()
{
    take(Figure::makeDefault());
}

std::string FigureDocument::tablePath(const std::string& path)
{
    const std::string hostText = mobr::cp932::fromUtf8(path);
    return mobr::cp932::toUtf8(hostText) == path ? hostText : std::string();
}

std::unique_ptr<Figure> FigureDocument::read(const std::string& path, std::string* error)
{
    long long size = 0;
    const Kind kind = kindOf(path, size, error);
    if (kind == Kind::Unreadable) return nullptr;
    std::string problem;
    std::unique_ptr<Figure> figure;
    notes().clear();
    if (kind == Kind::Dxf) {
        mobrdxf::DxfReport report;
        figure = mobrdxf::readDxfFile(path, report, &problem);
        keepNotes(report, path);
    } else if (kind == Kind::Json) {
        std::string text;
        if (!readAll(path, text, error)) return nullptr;
        figure = mobrhost::FigureJson::importText(text, &problem);
    } else {
        // The path is the file system's own, used as it is.
        figure = mobrhost::FigureFile::loadFile(path, &problem, path);
        if (figure) figure->path = tablePath(path);
    }
    if (!figure && error) *error = problem.rfind(path, 0) == 0 ? problem : path + ": " + problem;
    return figure;
}

bool FigureDocument::open(const std::string& path, std::string* error)
{
    std::unique_ptr<Figure> figure = read(path, error);
    return figure && take(std::move(figure));
}

bool FigureDocument::openJson(const nlohmann::json& document, std::string* error)
{
    std::string problem;
    std::unique_ptr<Figure> figure = mobrhost::FigureJson::fromJson(document, &problem);
    if (!figure) {
        if (error) *error = "figure: " + problem;
        return false;
    }
    return take(std::move(figure));
}

bool FigureDocument::save(const std::string& path, std::string* error, Format format)
{
    Figure* figure = current();
    if (!figure) {
        if (error) *error = Doc::tr("there is no figure to save").toStdString();
        return false;
    }
    notes().clear();
    if (!saveDrawing(*figure, path, format, error)) return false;
    figure->path = tablePath(path);
    figure->changed = false;
    return true;
}

bool FigureDocument::saveCopy(const std::string& path, std::string* error)
{
    Figure* figure = current();
    if (!figure) {
        if (error) *error = Doc::tr("there is no figure to save").toStdString();
        return false;
    }
    const std::string ownPath = figure->path;
    const bool changed = figure->changed;
    const bool saved = save(path, error);
    figure->path = ownPath;
    figure->changed = changed;
    return saved;
}

bool FigureDocument::writeText(const std::string& path, const std::string& text, std::string* error)
{
    // One atomic writer: every write and the flush are checked, and on any
    // failure the old file stays whole.
    const int rc = mobr::files::writeFileAtomically(path, text);
    if (rc != 0) {
        if (error) *error = Doc::tr("%1: cannot be written (%2); the old file is kept")
                         .arg(q(path), QString::fromLocal8Bit(std::strerror(rc)))
                         .toStdString();
        return false;
    }
    return true;
}

bool FigureDocument::writeJson(const Figure& figure, const std::string& path, std::string* error)
{
    std::string problem;
    if (!mobrhost::FigureJson::checkElements(figure, &problem)) {
        if (error) *error = Doc::tr("%1: not exported: %2").arg(q(path), q(problem)).toStdString();
        return false;
    }
    return writeText(path, mobrhost::FigureJson::exportText(figure) + "\n", error);
}

bool FigureDocument::exportJson(const std::string& figurePath, const std::string& jsonPath, std::string* error)
{
    std::unique_ptr<Figure> figure = read(figurePath, error);
    if (!figure) return false;
    if (!jsonPath.empty()) {
        const Format format = formatForName(jsonPath);
        return saveDrawing(*figure, jsonPath, format == Format::FigureFile ? Format::Json : format, error);
    }
    std::string problem;
    if (!mobrhost::FigureJson::checkElements(*figure, &problem)) {
        if (error) *error = Doc::tr("%1: not exported: %2").arg(q(figurePath), q(problem)).toStdString();
        return false;
    }
    const std::string text = mobrhost::FigureJson::exportText(*figure) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return true;
}

bool FigureDocument::importJson(const std::string& jsonPath, const std::string& figurePath, std::string* error)
{
    std::unique_ptr<Figure> figure = read(jsonPath, error);
    if (!figure) return false;
    const Format format = formatForName(figurePath);
    return saveDrawing(*figure, figurePath, format == Format::Json ? Format::FigureFile : format, error);
}

FigureDocument::Format FigureDocument::formatForName(const std::string& path)
{
    const auto endsWith = [&](const char* ext) {
        const std::size_t n = std::strlen(ext);
        return path.size() >= n && QString::fromStdString(path.substr(path.size() - n)).compare(ext, Qt::CaseInsensitive) == 0;
    };
    if (endsWith(".json")) return Format::Json;
    if (endsWith(".dxf")) return dxfR12() ? Format::DxfR12 : Format::Dxf;
    return Format::FigureFile;
}

void FigureDocument::preferDxfR12(bool r12)
{
    dxfR12() = r12;
}

bool FigureDocument::saveDrawing(const Figure& figure, const std::string& path, Format format, std::string* error)
{
    if (format == Format::ByName) format = formatForName(path);
    switch (format) {
    case Format::Json: return writeJson(figure, path, error);
    case Format::Dxf:
    case Format::DxfR12: {
        mobrdxf::DxfReport report;
        const bool ok = mobrdxf::saveDxfFile(figure, path, format == Format::DxfR12 ? mobrdxf::DxfVersion::R12 : mobrdxf::DxfVersion::R2000,
                                             report, error);
        keepNotes(report, path);
        return ok;
    }
    default: return mobrhost::FigureFile::saveFile(figure, path, error, path);
    }
}

const std::vector<std::string>& FigureDocument::lastNotes()
{
    return notes();
}
