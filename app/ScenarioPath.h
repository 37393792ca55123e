#pragma once

// Paths that a scenario names for files it writes. A scenario is outside
// input: whatever it says, it writes only inside the run's folders.

#include <QString>

namespace ScenarioPath {

// The path the file layer will use for `relative` inside `folder`: '\' is a
// separator (as in the host's path conventions), and the result is the one
// path that is then written, with no further conversion. Empty, with the
// reason in *why, when the path is empty, absolute, has a drive prefix,
// climbs out of the folder with "..", or reaches outside it through a
// symbolic link (an existing folder on the way or the file itself). Folders
// on the way are created when `createFolders` is set.
QString resolveInside(const QString& folder, const QString& relative, bool createFolders, QString* why);

// True when `path` (existing or not) lies inside `folder` once every
// symbolic link of its existing part is followed.
bool staysInside(const QString& folder, const QString& path);

}  // namespace ScenarioPath
