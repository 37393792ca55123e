#pragma once

// The settings report's text and its two destinations. A report is a list
// of items, one per page picked, each the lines that page wrote (host code
// page, every line ending in "\n"). Both outputs ask `gate` before each item
// (the progress and the abort of the output dialog); false stops the output,
// which then ends as usual with what was written so far.

#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

using ReportLines = std::vector<std::string>;
using ReportItems = std::vector<ReportLines>;
using ReportGate = std::function<bool(std::size_t item)>;

namespace settingsreport {

constexpr int kLinesPerPage = 84;
// The print line buffer, terminator included, and the indent of every line.
constexpr std::size_t kPrintLineBytes = 123;
constexpr int kIndent = 5;

// The name the option set is known by: message 7095 for the standard
// option file, 7064 for the default one, else the file name without its
// extension (the last four characters).
std::string templateTitle(const std::string& file);
// The current template folder's name, or its directory when it has none.
std::string templateFolder();
// Message 7210 with the title, the date ("%Y/%m/%d") and the time ("%H:%M").
std::string headerText(const std::string& title, const std::tm& when);
std::string headerTextNow(const std::string& title);

// The report file's bytes: "[ header ]", a blank line, then the items that
// have lines, two line breaks between them; every "\n" becomes CR LF.
// Items the gate refuses, and every one after, are left out.
std::string fileBytes(const std::string& header, const ReportItems& items, const ReportGate& gate);
// Writes the report to `hostPath` through a temporary file renamed over it,
// so that a report that fails leaves the old file as it was. Nothing is
// written when no item was picked. 0 or an errno value.
int writeFile(const std::string& hostPath, const std::string& header, const ReportItems& items,
              const ReportGate& gate);
// Prints the report through the host's print job: every item on a new page,
// 84 lines a page under a page header. False when no job could be opened.
bool print(const std::string& header, const ReportItems& items, const ReportGate& gate);
// One print line: five spaces and the line, cut on a character boundary to
// fit the print line buffer.
std::string printLine(const std::string& line);

}  // namespace settingsreport
