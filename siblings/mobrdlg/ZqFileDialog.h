#pragma once

#include <string>

#include "mobr/export.h"

class QWidget;

// An open or save file dialog. `filter` is given the familiar way, pairs of
// description and patterns separated by '|', for example
// "Text files (*.txt)|*.txt|All files (*.*)|*.*||" ("*.*" matches every file).
// `folder` is the initial folder and `name` the initial file name (empty for
// none); all texts are in host code page. Returns true with the chosen path in
// `path` (host code page), false when the user cancelled. With a UI driver
// installed, the driver picks the file instead.
MOBR_API bool ZqFileDialog(QWidget* owner, bool open, const std::string& filter,
                           const std::string& folder, const std::string& name,
                           std::string& path, const std::string& title = {});

// What a file dialog may add: the filter shown first (1-based, as the
// filter lists it) and the extension (without the dot) that a chosen name
// without one receives.
struct ZqFileDialogOptions {
    int filterIndex = 1;
    std::string defaultExtension;
};
MOBR_API bool ZqFileDialog(QWidget* owner, bool open, const std::string& filter,
                           const std::string& folder, const std::string& name,
                           std::string& path, const std::string& title,
                           const ZqFileDialogOptions& options);

// The Qt form of a '|'-separated filter ("Text files (*.txt);;All files (*)").
MOBR_API std::string ZqQtFileFilter(const std::string& filter);
