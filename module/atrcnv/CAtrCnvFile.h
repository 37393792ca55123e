#pragma once

// CAtrCnvFile: the conversion definition file (type "FAC") and the history
// file "MOBRFAC.INI", read and written key by key through the private-profile
// functions, in the host code page.
//
// Definition file:
//   [System]     ZqAtrCnv=ZQV10_01, RefFile=<reference figure path or empty>
//   [ColCnvAtr]  Col001=<source> /#,#/ <target>, Col002=...
//   [WidCnvAtr]  Wid001=<source> /#,#/ <target>, ...
//   [PenCnvAtr]  Pen001=<src pen> /#,#/ <src width> /#,#/ <src colour> /#,#/
//                       <target pen> /#,#/ <target width> /#,#/ <target colour>
// Entries are numbered from 1 without gaps; a reader stops a kind at its first
// invalid entry. A pen without colour writes "#_NO_PEN_COLOR_#".
//
// History file: [RefHist] Ref001..Ref020, [DefHist] Def001..Def020, most
// recently used first.

#include <string>
#include <string_view>
#include <vector>

#include "atrcnv/AtrCnvTypes.h"

class CAtrCnvFile {
public:
    static constexpr const char* kSeparator = " /#,#/ ";
    static constexpr const char* kNoPenColour = "#_NO_PEN_COLOR_#";
    static constexpr const char* kVersionTag = "ZQV10_01";
    static constexpr const char* kHistoryFileName = "MOBRFAC.INI";
    static constexpr const char* kAutomaticFileName = "MOBRFAC.FAC";
    static constexpr int kMaxEntries = 999;

    // Without a path: only for the comparison use of the writers (write flag
    // 0), which never touches a file.
    CAtrCnvFile() = default;
    explicit CAtrCnvFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // ---- Reading ---------------------------------------------------------

    // Splits `text` at every separator and appends the fields to `fields`: the
    // text before each separator is a field (empty too), the rest after the
    // last one only when it is not empty. Returns the number appended.
    static int splitValue(std::string_view text, std::vector<std::string>& fields);

    // Reads entry `number` (1..999) of `kind`: 1 when it exists with the
    // kind's field count (2, pens 6), the first half then appended to
    // `source` and the second half to `target`; else 0.
    int readEntry(atrcnv::Kind kind, int number, std::vector<std::string>& source,
                  std::vector<std::string>& target) const;

    // The entries of one kind, from 1 up to the first invalid one (replacing
    // the list's contents); the result is the number read.
    int readPenEntries(std::vector<atrcnv::PenEntry>& entries) const;
    int readWidthEntries(std::vector<atrcnv::NameEntry>& entries) const;
    int readColourEntries(std::vector<atrcnv::NameEntry>& entries) const;

    // "System"/"RefFile", or empty when absent or starting with '#'.
    std::string readReferenceFile() const;
    // 1 when "System"/"ZqAtrCnv" is "ZQV10_01" (case ignored), else 0.
    int checkVersion() const;
    // 0 when `colourName` is "#_NO_PEN_COLOR_#" (case ignored), else 1.
    static int isPenColourGiven(std::string_view colourName);

    // ---- Writing ---------------------------------------------------------

    // Writes the version tag and "RefFile" and deletes the three entry
    // sections. Always 1.
    int writeHeader(const std::string& referencePath);

    // Compares host entry i with target item i-1 and, with `write`, writes
    // each one that differs as the next key of its section (the section is
    // emptied first). Without `write` the first difference answers 1 at once
    // and nothing is touched. 1 when at least one entry differs, else 0 (also
    // when the host table is empty or missing).
    //
    // An entry whose names would not read back as written (a name containing
    // the separator, or with blanks or quotes at its ends that the reader
    // strips) is left out and listed in unwritableNames(); the numbering goes
    // on without a gap, so the entries after it are kept.
    int writeColourEntries(void* colours, const std::vector<atrcnv::ColourRecord>& targets, bool write);
    int writeWidthEntries(void* widths, const std::vector<atrcnv::WidthRecord>& targets, bool write);
    int writePenEntries(void* pens, void* penColours, void* widths, void* colours,
                        const std::vector<atrcnv::PenTargetItem>& targets, bool write);

    // Names left out by the writers since this object was made.
    const std::vector<atrcnv::UnwritableName>& unwritableNames() const { return unwritable_; }

    // ---- History ---------------------------------------------------------

    // The longest history list (20): every user takes it from here.
    static int historyMax() { return 20; }
    // Reads both lists (emptied first), each up to its first value that
    // starts with '#' or its 20th entry. Always 1.
    int readHistory(std::vector<std::string>& references, std::vector<std::string>& definitions) const;
    // Replaces both sections with at most the first 20 entries of each list.
    // Always 1.
    int writeHistory(const std::vector<std::string>& references,
                     const std::vector<std::string>& definitions);
    // Puts `path` at the front of `list` (most recently used first): an empty
    // path or one starting with '(' changes nothing; one already present
    // (case ignored) moves to the front; the list keeps at most 20 entries.
    static void addToHistory(std::vector<std::string>& list, const std::string& path);

    // ---- Locations (through the host) --------------------------------------

    // "<program directory>/MOBRFAC.INI"; empty when the host has no directory.
    static std::string historyFilePath();
    // "MOBRFAC.FAC" in the host's work directory, or in the temporary
    // directory when the host cannot name one.
    static std::string automaticFilePath();

private:
    bool writeEntry(atrcnv::Kind kind, int number, const std::vector<std::string>& fields);

    std::string path_;
    std::vector<atrcnv::UnwritableName> unwritable_;
};
