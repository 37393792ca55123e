#pragma once

#include <cstdint>

#include "mobr/export.h"
#include "platform/ProfileBatch.h"

// Private-profile (INI) files with the system's argument order and results:
// counts are DWORD (uint32_t), success flags BOOL (int, 0 = failure).
//
// Files are read through an in-memory cache and re-read only when the file
// changed on disk: a change that another process completed before the reading
// thread learnt of it (which takes a system call) is always seen, with or
// without a pause (see ProfileCache.h for how that stays cheap). Every write replaces the file atomically and durably: the new
// contents go to a temporary file in the same folder, which is synced and
// renamed over the file, and then the folder is synced, so a crash leaves
// either the old or the new file, never a half-written one. Bytes that a
// write does not touch (code page, line ends, comments, unknown lines) stay
// exactly as they were. The cache is guarded by a mutex.
//
// Paths are host paths: '\' is '/', "C:\" is "/". A path of 520 bytes or more
// is refused. When the file name does not exist exactly, a name that differs
// only in case in the same folder is used (see mobr::files::resolveFileNameNoCase).
//
// Reading: a missing file, section or key gives the default (its trailing
// spaces dropped; null counts as empty). Section and key names match without
// regard to case (mobr::cp932::equalNoCase); blanks around names and values
// are ignored; one matching pair of outer quotes ('"' or '\'') is removed.
// Lines starting with ';' are comments, lines without '=' are not keys, the
// first ']' ends a section name, the first of duplicate sections and of
// duplicate keys is the one read. CR LF, LF and CR line ends are understood.
// A value longer than the buffer is cut to at most size - 1 bytes without
// splitting a double-byte character; the result is the count of bytes copied.
// A null section lists the section names, a null key the key names of the
// section, each terminated, the list ended by one more terminator; a list
// that does not fit is cut, ends in two terminators and the result is
// size - 2.
MOBR_API uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer,
                                           uint32_t size, const char* fileName);

// The value as an integer: optional blanks and sign, then decimal digits or
// "0x" and hex digits, as far as they go (a value without digits is 0). A
// missing key gives `defaultValue`. Negative values come back in two's
// complement.
MOBR_API uint32_t GetPrivateProfileIntA(const char* section, const char* key,
                                        int defaultValue, const char* fileName);

// Writing: a missing file is created (CR LF line ends), a new section is
// appended at the end of the file, a new key after the last key of its
// section, a replaced value keeps its line's place and the names' spelling.
// A null value deletes the key (every line of it in the section that is
// read), a null key the section (every section of that name); deleting what
// is not there succeeds. Names are written trimmed, values exactly as given.
// A write that leaves the file's bytes as they are does not touch the file.
// Returns 0, changing nothing, when the file cannot be written (missing
// folder, read-only file or folder, path too long) or when the text would not
// read back as written: a section name with a line break, ']' or a broken
// double-byte character at its end; a key with a line break, '=', a leading
// ';' or '[' or a broken character at its end; a value with a line break.
// All three null drops the cached copy of the file and returns 1.
MOBR_API int WritePrivateProfileStringA(const char* section, const char* key,
                                       const char* value, const char* fileName);
