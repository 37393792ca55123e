#pragma once

// The figure the application shows: the current figure of the host's figure
// model. Opens figure files and figure JSON (told apart by their content),
// saves figure files, exports and imports JSON. Paths are ordinary local
// paths (UTF-8); the host sees them in its code page.

#include <memory>
#include <string>

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
    static bool save(const std::string& path, std::string* error);
    // Writes the current figure to `path` as a copy: the figure keeps its
    // own path and its unsaved state (recovery copies).
    static bool saveCopy(const std::string& path, std::string* error);

    // mobr export / mobr import.
    static bool exportJson(const std::string& figurePath, const std::string& jsonPath, std::string* error);
    static bool importJson(const std::string& jsonPath, const std::string& figurePath, std::string* error);

    // Reads a figure from either kind of file without touching the model.
    static std::unique_ptr<mobrhost::Figure> read(const std::string& path, std::string* error);
    static bool writeText(const std::string& path, const std::string& text, std::string* error);

private:
    static bool take(std::unique_ptr<mobrhost::Figure> figure);
};
