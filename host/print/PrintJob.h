#pragma once

// One print job: text lines printed top to bottom on a printer or into a PDF
// file, a new page on a form feed or when the page is full.

#include <memory>
#include <string>

#include "mobr/host_types.h"

class QPrinter;
class QPainter;

namespace mobrhost {

class PrintJob {
public:
    // Target: a PDF file when pdfPath is not empty, else the default
    // printer. charSize is the character size and line pitch in points
    // (a value of 0 or less takes the font record's height). The font record: 32-bit
    // height in points at 0 (negative: character height), 32-bit weight at
    // 16, italic byte at 20, face name (NUL-terminated) at 28.
    PrintJob(const std::string& pdfPath, double charSize, const HostPrintRecord60& font);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // False when the printer could not be opened; *error says why.
    bool open(std::string* error);
    // One line (host code page); starts a new page when the page is full.
    bool printLine(const std::string& text);
    bool formFeed();
    // Ends the document; the number of pages printed.
    int close();

    int pages() const { return pages_; }
    int linesOnPage() const { return lineOnPage_; }

private:
    std::string pdfPath_;
    double charSize_;
    HostPrintRecord60 font_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    int pages_ = 0;
    int lineOnPage_ = 0;
    int lineHeight_ = 0;
    int linesPerPage_ = 0;
};

}  // namespace mobrhost
