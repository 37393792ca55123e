#include "print/PrintJob.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "model/ByteAccess.h"
#include "platform/CodePage.h"

namespace mobrhost {

PrintJob::PrintJob(const std::string& pdfPath, double charSize, const HostPrintRecord60& font)
    : pdfPath_(pdfPath), charSize_(charSize), font_(font)
{
}

PrintJob::~PrintJob()
{
    if (painter_ && painter_->isActive()) painter_->end();
}

bool PrintJob::open(std::string* error)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (error) *error = "printing needs the application's display connection";
        return false;
    }
    if (pdfPath_.empty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            if (error) *error = "there is no default printer";
            return false;
        }
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(QString::fromStdString(pdfPath_));
    }
    printer_->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);

    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        if (error) *error = "the printer could not be opened";
        painter_.reset();
        return false;
    }
    const int32_t height = bytes::read<int32_t>(font_.bytes, 0);
    const int32_t weight = bytes::read<int32_t>(font_.bytes, 16);
    const bool italic = font_.bytes[20] != 0;
    char face[33] = {};
    std::memcpy(face, font_.bytes + 28, 32);
    QFont qfont(face[0] ? mobr::cp932::toQString(face) : QString("Monospace"));
    qfont.setStyleHint(QFont::Monospace);
    // The character size is in points and is the line pitch, as on a line
    // printer: 9-point lines give 87 lines on an A4 page. The glyphs are a
    // little smaller than the pitch so that lines never touch.
    double points = charSize_ > 0 ? charSize_ : std::abs(height);
    if (points <= 0) points = 10.0;
    const double pitch = points / 72.0 * printer_->resolution();
    qfont.setPixelSize(std::max(1, static_cast<int>(pitch * 0.85)));
    if (weight > 0) qfont.setWeight(weight >= 600 ? QFont::Bold : QFont::Normal);
    qfont.setItalic(italic);
    painter_->setFont(qfont);
    lineHeight_ = std::max(1, static_cast<int>(pitch));
    const int pageHeight = printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
    linesPerPage_ = std::max(1, pageHeight / std::max(1, lineHeight_));
    pages_ = 1;
    lineOnPage_ = 0;
    return true;
}

bool PrintJob::printLine(const std::string& text)
{
    if (!painter_) return false;
    if (lineOnPage_ >= linesPerPage_ && !formFeed()) return false;
    const QFontMetrics metrics = painter_->fontMetrics();
    // A line's own line breaks end it (a text printer's line is one line).
    const std::string shown = text.substr(0, text.find_first_of("\r\n"));
    painter_->drawText(0, lineOnPage_ * lineHeight_ + metrics.ascent(), mobr::cp932::toQString(shown));
    ++lineOnPage_;
    return true;
}

bool PrintJob::formFeed()
{
    if (!painter_ || !printer_->newPage()) return false;
    ++pages_;
    lineOnPage_ = 0;
    return true;
}

int PrintJob::close()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
    return pages_;
}

}  // namespace mobrhost
