#include "FigureDocument.h"

#include <fstream>
#include <sstream>

#include <QFile>
#include <QSaveFile>
#include <QString>

#include "model/FigureModel.h"
#include "platform/CodePage.h"
#include "store/FigureFile.h"
#include "store/FigureJson.h"

using mobrhost::Figure;
using mobrhost::FigureModel;

namespace {

std::string hostPath(const std::string& path)
{
    return mobr::cp932::fromUtf8(path);
}

bool readAll(const std::string& path, std::string& text, std::string* error)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = path + ": " + file.errorString().toStdString();
        return false;
    }
    text = file.readAll().toStdString();
    return true;
}

// A JSON figure starts with '{' after white space; a figure file is binary.
bool looksLikeJson(const std::string& text)
{
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        return c == '{';
    }
    return false;
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

std::unique_ptr<Figure> FigureDocument::read(const std::string& path, std::string* error)
{
    std::string text;
    if (!readAll(path, text, error)) return nullptr;
    std::string problem;
    std::unique_ptr<Figure> figure;
    if (looksLikeJson(text)) {
        figure = mobrhost::FigureJson::importText(text, &problem);
    } else {
        figure = mobrhost::FigureFile::load(hostPath(path), &problem);
        if (figure) figure->path = hostPath(path);
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

bool FigureDocument::save(const std::string& path, std::string* error)
{
    Figure* figure = current();
    if (!figure) {
        if (error) *error = "there is no figure to save";
        return false;
    }
    if (!mobrhost::FigureFile::save(*figure, hostPath(path), error)) return false;
    figure->path = hostPath(path);
    figure->changed = false;
    return true;
}

bool FigureDocument::saveCopy(const std::string& path, std::string* error)
{
    Figure* figure = current();
    if (!figure) {
        if (error) *error = "there is no figure to save";
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
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) != qint64(text.size()) ||
        !file.commit()) {
        if (error) *error = path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

bool FigureDocument::exportJson(const std::string& figurePath, const std::string& jsonPath, std::string* error)
{
    std::unique_ptr<Figure> figure = read(figurePath, error);
    if (!figure) return false;
    const std::string text = mobrhost::FigureJson::exportText(*figure) + "\n";
    if (jsonPath.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return true;
    }
    return writeText(jsonPath, text, error);
}

bool FigureDocument::importJson(const std::string& jsonPath, const std::string& figurePath, std::string* error)
{
    std::string text;
    if (!readAll(jsonPath, text, error)) return false;
    std::string problem;
    std::unique_ptr<Figure> figure = mobrhost::FigureJson::importText(text, &problem);
    if (!figure) {
        if (error) *error = jsonPath + ": " + problem;
        return false;
    }
    return mobrhost::FigureFile::save(*figure, hostPath(figurePath), error);
}
