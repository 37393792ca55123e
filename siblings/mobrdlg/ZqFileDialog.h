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

// The Qt form of a '|'-separated filter ("Text files (*.txt);;All files (*)").
MOBR_API std::string ZqQtFileFilter(const std::string& filter);
