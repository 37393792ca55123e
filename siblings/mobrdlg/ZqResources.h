#pragma once

#include <string>

#include <QByteArray>
#include <QPixmap>
#include <QString>

#include "mobr/export.h"

// Resource files: Qt binary resources (.rcc) registered by name. A resource
// file holds layouts ("layouts/<NAME>.ui"), string tables
// ("strings/<language>.txt", lines "<id>\t<text>", UTF-8, with the escapes
// \n, \t and \\; empty lines and lines starting with '#' are skipped) and
// images ("images/<id>.png"). Each file is mapped under its own root
// (":/zq/<handle>/"), so several files can be registered at the same time.
//
// Strings are looked up in the registered files in the order they were
// registered, then in the library's own built-in table (framework messages
// such as 950 that must be shown even when no resource file could be loaded).
//
// Language: 1033 (English). When the process language is Japanese (the
// default QLocale), a file's 1041 table and built-in 1041 strings are looked
// up before the 1033 ones, and the layouts' texts are translated through the
// file's "translations/dialogs_ja.qm" (Qt Linguist, one context per layout).

// Registers the resource file at `path`; returns a handle (non-zero) or 0 when
// the file is missing or is not a resource file.
MOBR_API long ZqLoadResourceFile(const char* path);
// Unregisters a handle from ZqLoadResourceFile; 0 and unknown handles are ignored.
MOBR_API void ZqFreeResourceFile(long handle);

// The text of string `id` in host code page; false when no table has it.
MOBR_API bool ZqLoadString(int id, std::string& text);
// The text of string `id`, or an empty text when it is missing.
MOBR_API std::string GetString(int id);
// The same as a QString (for widgets); null when missing.
MOBR_API QString ZqGetQString(int id);
// The bytes of layout `name` (.ui XML); empty when missing.
MOBR_API QByteArray ZqLoadLayout(const char* name);
// Image `id`; a null pixmap when missing.
MOBR_API QPixmap ZqLoadImage(int id);

// ---- Built-in strings ------------------------------------------------------

// One entry of a built-in table: `text` is UTF-8 and must stay valid for the
// life of the process (a string literal).
struct ZqBuiltinString {
    int id;
    const char* text;
    int language = 1033;
};

// Adds entries to the built-in table (a library calls this once when it is
// loaded). An id already present for the same language is replaced.
MOBR_API void ZqAddBuiltinStrings(const ZqBuiltinString* table, int count);

// Framework messages of the built-in table.
enum ZqBuiltinMessage : int {
    ZQ_MSG_RESOURCE_FILE_MISSING = 950,   // "%s": the resource file name
    ZQ_MSG_HOST_FUNCTION_MISSING = 951,   // "%s": the function name
};

// The language tables are tried in: 1041 then 1033 when the process language
// is Japanese, 1033 alone otherwise. Tests may force a language (0 = from the
// process locale).
MOBR_API void ZqSetLanguage(int language);

// The language texts are shown in: the forced one, else 1041 when the default
// QLocale is Japanese, else 1033.
MOBR_API int ZqLanguage();

// Installs in the application the layouts' translation of the current
// language from the first registered file that has one, and removes one of
// another language; the layout loader calls it before it builds a layout.
MOBR_API void ZqUpdateLayoutTranslator();
