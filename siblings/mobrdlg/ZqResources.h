#pragma once

// CONTRACT DRAFT (completed by the dialog library's owner; may be extended).

#include <string>

#include <QByteArray>
#include <QPixmap>

#include "mobr/export.h"

// Resource files: Qt binary resources (.rcc) registered by name. A resource
// file holds layouts ("layouts/<NAME>.ui"), string tables
// ("strings/<language>.txt", lines "<id>\t<text>", UTF-8, \n \t \\ escapes)
// and images ("images/<id>.png"). Strings are looked up in the registered
// files in the order they were registered, then in the library's own
// built-in table (framework messages such as 950 that must be shown even when
// no resource file could be loaded).
//
// Language: 1033 (English) now; a 1041 table is looked up first when the
// process language is Japanese and the file has one.

// Registers the resource file at `path`; returns a handle (non-zero) or 0 when
// the file is missing or is not a resource file.
MOBR_API long ZqLoadResourceFile(const char* path);
// Unregisters a handle from ZqLoadResourceFile; 0 is ignored.
MOBR_API void ZqFreeResourceFile(long handle);

// The text of string `id` in host code page; false when no table has it.
MOBR_API bool ZqLoadString(int id, std::string& text);
// The text of string `id`, or an empty text when it is missing.
MOBR_API std::string GetString(int id);
// The bytes of layout `name` (.ui XML); empty when missing.
MOBR_API QByteArray ZqLoadLayout(const char* name);
// Image `id`; a null pixmap when missing.
MOBR_API QPixmap ZqLoadImage(int id);
