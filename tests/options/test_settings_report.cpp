// The settings report: the item choice, the report file byte for byte and
// the printed pages, through the options dialog's report button.

#include <QFile>
#include <QRegularExpression>
#include <QtEndian>
#include <QPushButton>
#include <QTimer>

#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <sstream>

#include "OptionsHarness.h"
#include "optionpages/CUserOpPage.h"
#include "options/CPrintItemDlg.h"
#include "options/CReportOutDlg.h"
#include "options/CUserOpSheet.h"
#include "options/SettingsReport.h"
#include "options/UserOpPrintItem.h"

namespace {

constexpr int kMsgFileFailed = 7350;

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int pdfPages(const std::string& path)
{
    const std::string bytes = fileText(path);
    const std::regex page("/Type\\s*/Page(?![s])");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

// The text a PDF shows: the glyphs of its content streams (hex strings
// before Tj) mapped to characters through the fonts' ToUnicode tables, in
// drawing order; blanks come out as spaces.
std::string pdfText(const std::string& path)
{
    const QByteArray pdf = QByteArray::fromStdString(fileText(path));
    std::vector<QByteArray> streams;
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at + 1)) {
        const qsizetype end = pdf.indexOf("endstream", at);
        if (end < 0 || pdf.mid(at - 3, 3) == "end") continue;
        const QByteArray data = pdf.mid(at + 7, end - at - 7);
        QByteArray sized(4, '\0');
        qToBigEndian<quint32>(quint32(data.size() * 4), sized.data());
        const QByteArray plain = qUncompress(sized + data);
        streams.push_back(plain.isEmpty() ? data : plain);
    }
    std::map<uint, QChar> glyphs;
    const QRegularExpression range(R"(<([0-9A-F]{4})> <([0-9A-F]{4})> \[([^\]]*)\])");
    for (const QByteArray& stream : streams)
        for (const auto& m : range.globalMatch(QString::fromLatin1(stream))) {
            uint glyph = m.captured(1).toUInt(nullptr, 16);
            for (const QString& code : m.captured(3).split(' ', Qt::SkipEmptyParts))
                glyphs[glyph++] = QChar(code.mid(1, 4).toUShort(nullptr, 16));
        }
    QString text;
    const QRegularExpression shown(R"(<([0-9A-F]{4})> Tj)");
    for (const QByteArray& stream : streams)
        for (const auto& m : shown.globalMatch(QString::fromLatin1(stream))) {
            const QChar c = glyphs[m.captured(1).toUInt(nullptr, 16)];
            text += c.isSpace() ? QChar(' ') : c;
        }
    return text.toStdString();
}

std::string crLf(const std::string& text)
{
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

// Opens the report from the options dialog; `choice` acts in the item
// dialog, then the options dialog is cancelled.
ZqUiScript reportScript(const std::function<void(ZqUiScript&)>& choice, ReportItems* pages = nullptr)
{
    ZqUiScript script;
    if (pages)
        script.inspect([pages](CZqWindow& window) {
            for (CUserOpPage* page : dynamic_cast<CUserOpSheet&>(window).pages().bySlot)
                if (page) page->WriteSettingReport(pages->emplace_back());
        });
    script.click(CUserOpSheet::kReport);
    choice(script);
    return script.cancel().in("IDD_S_017");
}

class SettingsReport : public OptionsHarness {
protected:
    void adjustStart(mobrhost::HostStart& start) override { start.printToPdf = tempPath("report.pdf"); }
};

TEST_F(SettingsReport, TheFileHoldsTheHeaderAndEveryPickedPageInTabOrderWithCrLf)
{
    const std::string path = tempPath("report.txt");
    ReportItems pages;
    runOptions(reportScript(
        [&](ZqUiScript& s) {
            s.click(CPrintItemDlg::kTextFile).in("IDD_S_025").type(CPrintItemDlg::kPath, path);
            s.select(CPrintItemDlg::kItems, 1).key(CPrintItemDlg::kItems, Qt::Key_Space).ok();
        },
        &pages));
    ASSERT_GE(pages.size(), 6u);

    // Every page but the second (unticked), in tab order, two line breaks apart.
    std::string body;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i == 1) continue;
        if (!body.empty()) body += "\n\n";
        for (const std::string& line : pages[i]) body += line;
    }
    const std::string text = fileText(path);
    const std::size_t headerEnd = text.find("\r\n\r\n");
    ASSERT_NE(headerEnd, std::string::npos);
    EXPECT_TRUE(std::regex_match(text.substr(0, headerEnd),
                                 std::regex(R"(\[ Settings report of Standard settings  \d{4}/\d\d/\d\d \d\d:\d\d \])")))
        << text.substr(0, headerEnd);
    EXPECT_EQ(text.substr(headerEnd + 4), crLf(body));
}

TEST_F(SettingsReport, TheFileLayoutKeepsEmptyItemsOutAndStopsWhereTheGateSaysSo)
{
    const ReportItems items = {{"a\n", "b\n"}, {}, {"c\n"}, {"d\n"}};
    EXPECT_EQ(settingsreport::fileBytes("H", items, {}), "[ H ]\r\n\r\na\r\nb\r\n\r\n\r\nc\r\n\r\n\r\nd\r\n");
    EXPECT_EQ(settingsreport::fileBytes("H", {{}, {}}, {}), "[ H ]\r\n\r\n");
    const ReportGate firstTwo = [](std::size_t item) { return item < 2; };
    EXPECT_EQ(settingsreport::fileBytes("H", items, firstTwo), "[ H ]\r\n\r\na\r\nb\r\n");

    // No item picked: no file; a failed report leaves the file it would replace.
    const std::string path = tempPath("none.txt");
    EXPECT_EQ(settingsreport::writeFile(path, "H", {}, {}), 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    EXPECT_NE(settingsreport::writeFile(tempPath("no/such/folder/r.txt"), "H", items, {}), 0);
}

TEST_F(SettingsReport, TheItemChoiceRefusesAFileWithoutNameAndAFailedWriteIsNamed)
{
    runOptions(reportScript([this](ZqUiScript& s) {
        s.inspect([](CZqWindow& dialog) { EXPECT_TRUE(dialog.IsItemEnabled(IDOK)); });  // printer
        s.click(CPrintItemDlg::kTextFile).type(CPrintItemDlg::kPath, tempPath("folder/"));
        s.inspect([](CZqWindow& dialog) { EXPECT_FALSE(dialog.IsItemEnabled(IDOK)); });
        s.click(CPrintItemDlg::kPrinter);
        s.inspect([](CZqWindow& dialog) {
            EXPECT_TRUE(dialog.IsItemEnabled(IDOK));
            EXPECT_FALSE(dialog.IsItemEnabled(CPrintItemDlg::kPath));
        });
        s.click(CPrintItemDlg::kTextFile).type(CPrintItemDlg::kPath, tempPath("missing/report.txt")).ok();
    }));
    EXPECT_EQ(messageIds(), std::vector<int>{kMsgFileFailed});
}

TEST_F(SettingsReport, EveryItemStartsAPageAndEightyFiveLinesTakeTwoPages)
{
    ReportItems items = {ReportLines(85, "line\n"), {}, {"  < Two >\n"}};
    ASSERT_TRUE(settingsreport::print("H", items, {}));
    const auto lines = mobrhost::journalEntries("aatDevPrnTextOut2");
    // Three page headers of two lines each and the 86 item lines.
    ASSERT_EQ(lines.size(), 3u * 2 + 86);
    EXPECT_EQ(lines[0].args[1], "\"     [ H  Page 1 ]\"");
    EXPECT_EQ(lines[2].args[1].rfind("\"     line", 0), 0u);
    EXPECT_EQ(lines[2 + 84].args[1], "\"     [ H  Page 2 ]\"");
    EXPECT_EQ(lines[2 + 84 + 3].args[1], "\"     [ H  Page 3 ]\"");
    EXPECT_EQ(mobrhost::journalEntries("aatDevPrnTextFF2").size(), 2u);
    EXPECT_EQ(pdfPages(tempPath("report.pdf")), 3);
}

TEST_F(SettingsReport, ThePrinterGetsOnePagePerPageOfTheDialog)
{
    ReportItems pages;
    runOptions(reportScript([](ZqUiScript& s) { s.ok().in("IDD_S_025"); }, &pages));
    EXPECT_EQ(pdfPages(tempPath("report.pdf")), static_cast<int>(pages.size()));
    const std::string text = pdfText(tempPath("report.pdf"));
    EXPECT_NE(text.find("[ Settings report of Standard settings"), std::string::npos) << text.substr(0, 200);
    EXPECT_LT(text.find("< General >"), text.find("< Operation >"));
    // Every page of the dialog prints on a page of its own, and no more.
    ASSERT_EQ(pages.size(), 10u);
    EXPECT_NE(text.find("Page 10 ]"), std::string::npos);
    EXPECT_EQ(text.find("Page 11 ]"), std::string::npos);
    const auto lines = mobrhost::journalEntries("aatDevPrnTextOut2");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[2].args[1], "\"       < General >\n\"");
}

TEST_F(SettingsReport, CancelInTheOutputWindowStopsBeforeTheNextItem)
{
    CUserOpPrintItem model;
    model.SetDestination(CUserOpPrintItem::kTextFile);
    model.SetPath(tempPath("stopped.txt"));
    const ReportItems items = {{"first\n"}, {"second\n"}};
    CReportOutDlg output(model, items);
    // A person presses Cancel while the first item is on its way.
    QTimer::singleShot(0, [&output] { qobject_cast<QPushButton*>(output.GetDlgItem(IDCANCEL))->click(); });
    EXPECT_EQ(output.DoModal(), 1);
    EXPECT_TRUE(output.aborted());
    EXPECT_EQ(fileText(tempPath("stopped.txt")).find("first"), std::string::npos);
}

TEST_F(SettingsReport, APrintLineIsCutOnACharacterBoundary)
{
    const std::string kanji = "\x95\x5c";  // one double-byte character
    std::string line(116, 'x');
    line += kanji + kanji;
    const std::string printed = settingsreport::printLine(line);
    EXPECT_EQ(printed.size(), 121u);
    EXPECT_EQ(printed, std::string(5, ' ') + std::string(116, 'x'));
}

TEST_F(SettingsReport, TheTitleNamesTheOptionSet)
{
    EXPECT_EQ(settingsreport::templateTitle("mobrdflt.ini"), "Default settings");
    EXPECT_EQ(settingsreport::templateTitle("MOBRSTD.INI"), "Standard settings");
    EXPECT_EQ(settingsreport::templateTitle("ABCDEFGH.INI"), "ABCDEFGH");
}

}  // namespace
