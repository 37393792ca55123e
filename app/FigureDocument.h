#pragma once

// The figure the application shows: the current figure of the host's figure
// model. Opens figure files and figure JSON (told apart by their content),
// saves figure files, exports and imports JSON. Paths are the file system's
// own (UTF-8 on Linux), used exactly as given and never converted: two names
// that differ only in characters outside the host's code page stay two
// files. Only the path the figure keeps for the host's tables is code-page
// text, and only when the name can be represented there exactly.

#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/Figure.h"

class FigureDocument {
public:
    // The current figure (the host always has one after start).
    static mobrhost::Figure* current();

    // Replaces the current figure with a new default one.
    static void newFigure();
    // Opens a figure file or a figure JSON file as the current figure.
    static bool open(const std::string& path, std::string* error);
    // Takes a figure JSON document as the current figure.
    static bool openJson(const nlohmann::json& document, std::string* error);
    // How a drawing is written; ByName: ".json" JSON, ".dxf" DXF R2000, any
    // other name a figure file.
    enum class Format { ByName, FigureFile, Json, Dxf, DxfR12 };
    // Saves the current figure as `path` (by name, or in `format`); the
    // figure then belongs to that file.
    static bool save(const std::string& path, std::string* error, Format format = Format::ByName);
    // Writes the current figure to `path` as a copy: the figure keeps its
    // own path and its unsaved state (recovery copies).
    static bool saveCopy(const std::string& path, std::string* error);

    // mobr export / mobr import.
    static bool exportJson(const std::string& figurePath, const std::string& jsonPath, std::string* error);
    static bool importJson(const std::string& jsonPath, const std::string& figurePath, std::string* error);

    // Reads a figure file, a figure JSON or a DXF drawing (told apart by
    // their content) without touching the model. Every command that loads a
    // drawing goes through here.
    static std::unique_ptr<mobrhost::Figure> read(const std::string& path, std::string* error);
    static std::unique_ptr<mobrhost::Figure> loadDrawing(const std::string& path, std::string* error) { return read(path, error); }

    static Format formatForName(const std::string& path);
    // A ".dxf" name gives DXF R12 instead of R2000 (mobr export --r12).
    static void preferDxfR12(bool r12);
    // Writes a figure in a format, atomically; the one writer of every command.
    static bool saveDrawing(const mobrhost::Figure& figure, const std::string& path, Format format, std::string* error);
    // What the last DXF read (and the writes after it) could not carry over
    // exactly ("skipped 12 SPLINE"); a read or a save starts it afresh.
    static const std::vector<std::string>& lastNotes();
    // Writes a text file through the platform's atomic writer: on a full
    // disk or any other failure the old file is kept and the message names
    // the file and the reason.
    static bool writeText(const std::string& path, const std::string& text, std::string* error);
    // Exports a figure as JSON into a file through writeText, only when it
    // keeps the rules an import checks (what is exported can be imported).
    static bool writeJson(const mobrhost::Figure& figure, const std::string& path, std::string* error);
    // `path` in the host's code page when it can be represented there
    // exactly, else empty.
    static std::string tablePath(const std::string& path);

private:
    static bool take(std::unique_ptr<mobrhost::Figure> figure);
};
