#include "options/SettingsReport.h"

#include <cstring>

#include "frame/HostApi.h"
#include "options/HostText.h"
#include "frame/ModuleLog.h"
#include "mobrdlg/ZqResources.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

namespace settingsreport {

namespace {

constexpr int kMsgStandardTitle = 7095;
constexpr int kMsgDefaultTitle = 7064;
constexpr int kMsgHeader = 7210;
constexpr int kMsgPageNumber = 7081;
constexpr int kMsgPrintFace = 7108;
constexpr double kPrintCharSize = 9.0;
constexpr std::size_t kExtensionChars = 4;  // the dot and three letters

// `format` with each "%s" replaced by the next of `args` in turn and "%%"
// by "%"; any other '%' stays. Texts from outside are never used as a
// printf format.
std::string fillTexts(const std::string& format, const std::vector<std::string>& args)
{
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == '%')) {
            if (format[i + 1] == '%') out += '%';
            else if (next < args.size()) out += args[next++];
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::string formatTime(const char* format, const std::tm& when)
{
    char text[32] = {};
    return std::strftime(text, sizeof text, format, &when) ? text : "";
}

// "\n" as CR LF: the report file is a text file of the host's system.
void appendWithCrLf(std::string& out, const std::string& text)
{
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
}


// A logical font of the printer: fixed pitch, modern family, Shift-JIS,
// proof quality, face name of message 7108.
HostPrintRecord60 printFont()
{
    HostPrintRecord60 font{};
    const int32_t weight = 400;
    std::memcpy(font.bytes + 16, &weight, sizeof weight);
    font.bytes[23] = 128;   // character set
    font.bytes[26] = 2;     // quality: proof
    font.bytes[27] = 0x31;  // fixed pitch, modern family
    mobr::cp932::copyToBuffer(GetString(kMsgPrintFace), reinterpret_cast<char*>(font.bytes + 28), 32);
    return font;
}

class PrintOut {
public:
    explicit PrintOut(const std::string& header) : header_(header) {}

    bool open() { return hostapi::aapLcom_popen3(job_, kPrintCharSize, printFont()) == 0; }
    void close() { hostapi::aapLcom_pclose(job_); }

    // Every item on a new page, 84 lines a page; a line the printer refuses
    // ends the item.
    void item(const ReportLines& lines)
    {
        newPage();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0 && i % kLinesPerPage == 0) newPage();
            if (hostapi::aatDevPrnTextOut2(job_, printLine(lines[i]).c_str()) != 0) {
                qCWarning(lcModule) << "the printer refused a report line; the rest of the item is skipped";
                return;
            }
        }
    }

private:
    void newPage()
    {
        if (++page_ > 1) hostapi::aatDevPrnTextFF2(job_);
        const std::string number = fillTexts(GetString(kMsgPageNumber), {std::to_string(page_)});
        const std::string top = std::string(kIndent, ' ') + "[ " + header_ + "  " + number + " ]";
        hostapi::aatDevPrnTextOut2(job_, mobr::cp932::cut(top, kPrintLineBytes - 1).c_str());
        hostapi::aatDevPrnTextOut2(job_, "\n\n");
    }

    std::string header_;
    unsigned char job_[mobr::kHostPrintJobBytes] = {};
    int page_ = 0;
};

}  // namespace

std::string templateTitle(const std::string& file)
{
    if (mobr::cp932::equalNoCase(file, "MOBRSTD.INI")) return GetString(kMsgStandardTitle);
    if (mobr::cp932::equalNoCase(file, "MOBRDFLT.INI")) return GetString(kMsgDefaultTitle);
    if (file.size() <= kExtensionChars) return std::string();
    return mobr::cp932::cut(file, file.size() - kExtensionChars);
}

std::string templateFolder()
{
    void* drive = hostapi::aatSysGetUserTempDrive();
    if (!drive) return std::string();
    const int32_t current = hostapi::aatSysGetUserTempCurDir();
    char buffer[mobr::kHostPathBytes] = {};
    hostapi::aatDrvGetName(drive, current, buffer);
    if (buffer[0] == '\0') hostapi::aatDrvGetDirectory(drive, current, buffer);
    return HostBufferText(buffer);
}

std::string headerText(const std::string& title, const std::tm& when)
{
    return fillTexts(GetString(kMsgHeader), {title, formatTime("%Y/%m/%d", when), formatTime("%H:%M", when)});
}

std::string headerTextNow(const std::string& title)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return headerText(title, local);
}

std::string fileBytes(const std::string& header, const ReportItems& items, const ReportGate& gate)
{
    std::string out;
    appendWithCrLf(out, "[ " + header + " ]\n\n");
    bool first = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (gate && !gate(i)) break;
        if (items[i].empty()) continue;
        if (!first) appendWithCrLf(out, "\n\n");
        first = false;
        for (const std::string& line : items[i]) appendWithCrLf(out, line);
    }
    return out;
}

int writeFile(const std::string& hostPath, const std::string& header, const ReportItems& items,
              const ReportGate& gate)
{
    if (items.empty()) return 0;
    int error = 0;
    const std::string path = mobr::files::nativePath(hostPath, &error);
    if (path.empty()) return error ? error : ENOENT;
    return mobr::files::writeFileAtomically(path, fileBytes(header, items, gate));
}

bool print(const std::string& header, const ReportItems& items, const ReportGate& gate)
{
    PrintOut out(header);
    if (!out.open()) return false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (gate && !gate(i)) break;
        if (!items[i].empty()) out.item(items[i]);
    }
    out.close();
    return true;
}

std::string printLine(const std::string& line)
{
    return mobr::cp932::cut(std::string(kIndent, ' ') + line, kPrintLineBytes - 1);
}

}  // namespace settingsreport
