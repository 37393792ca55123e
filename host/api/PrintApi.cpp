// Printing: the default printer's description and text print jobs. The
// caller's 342-byte job block carries the job: "MOBRPJ" at 0, the job number
// (32-bit) at 8; the host keeps the job itself.

#include <map>
#include <memory>

#include <QPageLayout>
#include <QPrinterInfo>

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"
#include "model/ByteAccess.h"
#include "platform/CodePage.h"
#include "print/PrintJob.h"

namespace mobrhost {

namespace {

constexpr char kJobMark[] = "MOBRPJ";
constexpr std::size_t kJobNumberOffset = 8;

struct Spool {
    std::map<int32_t, std::unique_ptr<PrintJob>> jobs;
    int32_t next = 1;
};

Spool& spool()
{
    static Spool s;
    return s;
}

// The job a block names, or null.
PrintJob* jobOf(const void* block, int32_t* number = nullptr)
{
    if (!block || std::memcmp(block, kJobMark, sizeof kJobMark) != 0) return nullptr;
    const int32_t n = bytes::read<int32_t>(block, kJobNumberOffset);
    auto it = spool().jobs.find(n);
    if (it == spool().jobs.end()) return nullptr;
    if (number) *number = n;
    return it->second.get();
}

}  // namespace

int32_t aatDevPrnDefInfo(void* info)
{
    // Printer information block: name (NUL-terminated, at most 127 bytes) at
    // 0; page width and height in tenths of a millimetre (32-bit) at 128 and
    // 132; resolution in dots per inch (32-bit) at 136.
    if (!info) return -1;
    auto* block = static_cast<unsigned char*>(info);
    std::memset(block, 0, mobr::kHostPrinterInfoBytes);
    std::string name;
    QSizeF paper(210, 297);
    int dpi = 600;
    if (!hostStart().printToPdf.empty()) {
        name = "PDF " + hostStart().printToPdf;
    } else {
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        if (printer.isNull()) return 1;
        name = mobr::cp932::fromQString(printer.printerName());
        paper = printer.defaultPageSize().size(QPageSize::Millimeter);
    }
    mobr::cp932::copyToBuffer(name, reinterpret_cast<char*>(block), 128);
    bytes::write<int32_t>(block, 128, static_cast<int32_t>(paper.width() * 10));
    bytes::write<int32_t>(block, 132, static_cast<int32_t>(paper.height() * 10));
    bytes::write<int32_t>(block, 136, dpi);
    return 0;
}

int32_t aapLcom_popen3(void* job, double charSize, HostPrintRecord60 font)
{
    if (!job || jobOf(job)) return -1;
    auto printJob = std::make_unique<PrintJob>(hostStart().printToPdf, charSize, font);
    std::string error;
    if (!printJob->open(&error)) {
        session().message("printing: " + error);
        return 1;
    }
    const int32_t number = spool().next++;
    spool().jobs[number] = std::move(printJob);
    std::memset(job, 0, mobr::kHostPrintJobBytes);
    std::memcpy(job, kJobMark, sizeof kJobMark);
    bytes::write<int32_t>(job, kJobNumberOffset, number);
    return 0;
}

int32_t aatDevPrnTextOut2(void* job, const char* text)
{
    PrintJob* printJob = jobOf(job);
    if (!printJob || !text) return -1;
    const int pages = printJob->pages();
    if (!printJob->printLine(text)) return -1;
    if (printJob->pages() != pages) journalNote("print.newPage", {std::to_string(printJob->pages())});
    return 0;
}

int32_t aatDevPrnTextFF2(void* job)
{
    PrintJob* printJob = jobOf(job);
    if (!printJob || !printJob->formFeed()) return -1;
    return 0;
}

int32_t aapLcom_pclose(void* job)
{
    int32_t number = 0;
    PrintJob* printJob = jobOf(job, &number);
    if (!printJob) return -1;
    const int pages = printJob->close();
    spool().jobs.erase(number);
    std::memset(job, 0, sizeof kJobMark);
    journalNote("print.close", {std::to_string(pages)});
    return 0;
}

void registerPrintApi()
{
    MOBR_HOST_IMPLEMENT(aatDevPrnDefInfo);
    MOBR_HOST_IMPLEMENT(aapLcom_popen3);
    MOBR_HOST_IMPLEMENT(aatDevPrnTextOut2);
    MOBR_HOST_IMPLEMENT(aatDevPrnTextFF2);
    MOBR_HOST_IMPLEMENT(aapLcom_pclose);
    // A job left open is a resource not ended; a new start drops them.
    setLiveReporter("printing", [] {
        return std::vector<LiveCount>{{"print job", static_cast<int>(spool().jobs.size()), 0}};
    });
    setResetHandler("printing", [](const HostStart&) { spool().jobs.clear(); });
}

}  // namespace mobrhost
