#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mobr/export.h"
#include "platform/FileError.h"

// File operations on host paths (bytes in host code page).
//
// Paths: every single-byte '\' is the separator '/', a drive-and-root prefix
// "C:\" is the root "/" (mobr::cp932::toNativePath); a 0x5C trail byte is part
// of its character. Folder texts handed out end with '/', so a file name can be
// appended directly. A path of 520 bytes or more (kMaxPathBytes with its
// terminator) is refused with ENAMETOOLONG; nothing is ever written past a
// caller's buffer.
//
// Results: 0 on success, otherwise an errno value (ENOENT, EACCES,
// ENAMETOOLONG, ...). copyFileOrThrow raises mobr::FileError instead.
//
// File names and case: Linux file names are case-sensitive, files copied from
// other systems often differ in case ("mobrstd.ini" for "MOBRSTD.INI"). This
// layer decides it once: when a file is looked up by name and the exact name
// does not exist, a name in the same folder that differs only in case
// (mobr::cp932::equalNoCase) is used instead; with several such names the
// smallest in byte order. Only the last component is matched this way, never
// the folders above it. Every operation below that names an existing file
// (fileExists, deleteFile, both ends of copyFile) and the private-profile
// functions follow this rule; pattern searches match the prefix and the
// extension without regard to case too.
namespace mobr::files {

inline constexpr std::size_t kMaxPathBytes = 520;

// The path as this system uses it (see above); empty with ENAMETOOLONG in
// *error when it is too long.
MOBR_API std::string nativePath(std::string_view hostPath, int* error = nullptr);

// The path of `name` inside `folder` (with or without trailing separator):
// the exact name when it exists, otherwise the first name differing only in
// case, otherwise the exact name (for creating it).
MOBR_API std::string resolveFileNameNoCase(std::string_view folder, std::string_view name);
// The same for a full path: only its last component is matched.
MOBR_API std::string resolvePathNoCase(std::string_view path);

// The names (without folder) of the regular files that match a "%s*.%s"
// pattern: `prefix` is a folder text plus an optional start of the name
// ("/sys/" or "/sys/AB"), `extension` without the dot. The order is the order
// in which the file system returns them. Returns 0 or an errno value (a
// missing folder is ENOENT with an empty list).
MOBR_API int findFiles(std::string_view prefix, std::string_view extension,
                       std::vector<std::string>& names);
// The same with a whole pattern "folder/start*.ext" (a '\' works as '/').
MOBR_API int findFiles(std::string_view pattern, std::vector<std::string>& names);

// True when the path names an existing regular file.
MOBR_API bool fileExists(std::string_view path);
// True when the path names an existing folder.
MOBR_API bool folderExists(std::string_view path);

// Deletes a file. 0 or an errno value.
MOBR_API int deleteFile(std::string_view path);

// Copies `source` over `target` in blocks of at most 1024 bytes. The copy is
// written to a temporary file next to the target, synced and renamed over the
// target, so the old target stays whole until the copy is complete and a
// failed copy leaves it untouched. 0 or an errno value.
MOBR_API int copyFile(std::string_view source, std::string_view target);
// The same, raising FileError ("open" for the source, "create"/"write" for
// the target).
MOBR_API void copyFileOrThrow(std::string_view source, std::string_view target);

// Writes `data` as the whole new contents of the file `path`, a path of the
// file system used exactly as given (not a host path: no conversion at all).
// Through one atomic replace (temporary file in the same folder, every write
// and the flush checked, then rename): on any failure (a full disk, a
// read-only folder) the old file stays as it was and no temporary is left.
// A symbolic link is followed: its target is replaced. 0 or an errno value.
MOBR_API int writeFileAtomically(const std::string& path, std::string_view data);

// The current folder and the temporary folder ($TMPDIR when it is a folder,
// else /tmp), each ending with '/'.
MOBR_API std::string currentDirectory();
MOBR_API std::string tempDirectory();

}  // namespace mobr::files

// The system's shape of the two folder queries: the text with its terminator
// goes to `buffer` when it fits in `size` bytes and the result is its length;
// otherwise nothing is written and the result is the size needed (with the
// terminator). 0 on failure.
MOBR_API uint32_t GetTempPathA(uint32_t size, char* buffer);
MOBR_API uint32_t GetCurrentDirectoryA(uint32_t size, char* buffer);
