// Printing into a PDF file: lines, form feeds, automatic page breaks, the
// journal of a job, and the answers for jobs that are not open.

#include <array>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>

#include "HostFixture.h"
#include "frame/HostApi.h"

namespace {

// Pages of a PDF file: its page objects ("/Type /Page", not "/Pages").
int pdfPages(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    const std::string bytes = s.str();
    const std::regex page("/Type\\s*/Page(?![s])");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

HostPrintRecord60 courier()
{
    HostPrintRecord60 font{};
    const int32_t height = -10;
    std::memcpy(font.bytes, &height, sizeof height);
    std::memcpy(font.bytes + 28, "Monospace", 10);
    return font;
}

}  // namespace

class PrintTest : public HostFixture {
protected:
    void adjustStart(mobrhost::HostStart& start) override { start.printToPdf = tempPath("out.pdf"); }
};

TEST_F(PrintTest, LinesAndFormFeedsMakePagesAndAreJournalled)
{
    std::array<unsigned char, 256> info{};
    ASSERT_EQ(hostapi::aatDevPrnDefInfo(info.data()), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(info.data())).rfind("PDF ", 0), 0u);

    std::array<unsigned char, 342> job{};
    ASSERT_EQ(hostapi::aapLcom_popen3(job.data(), 3.0, courier()), 0);
    EXPECT_EQ(hostapi::aapLcom_popen3(job.data(), 3.0, courier()), -1);   // already open
    EXPECT_EQ(hostapi::aatDevPrnTextOut2(job.data(), "  < General >"), 0);
    EXPECT_EQ(hostapi::aatDevPrnTextOut2(job.data(), "Wait time : 0.50 \x95\x62"), 0);
    EXPECT_EQ(hostapi::aatDevPrnTextFF2(job.data()), 0);
    EXPECT_EQ(hostapi::aatDevPrnTextOut2(job.data(), "second page"), 0);
    EXPECT_EQ(hostapi::aapLcom_pclose(job.data()), 0);

    EXPECT_EQ(pdfPages(tempPath("out.pdf")), 2);
    const auto lines = mobrhost::journalEntries("aatDevPrnTextOut2");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].args[1], "\"  < General >\"");
    EXPECT_EQ(lines[1].args[1], "\"Wait time : 0.50 \xe7\xa7\x92\"");
    EXPECT_EQ(mobrhost::journalEntries("aatDevPrnTextFF2").size(), 1u);
    const auto closed = mobrhost::journalEntries("print.close");
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].args[0], "2");

    // A closed job answers nothing any more.
    EXPECT_EQ(hostapi::aatDevPrnTextOut2(job.data(), "late"), -1);
    EXPECT_EQ(hostapi::aatDevPrnTextFF2(job.data()), -1);
    EXPECT_EQ(hostapi::aapLcom_pclose(job.data()), -1);
    std::array<unsigned char, 342> never{};
    EXPECT_EQ(hostapi::aatDevPrnTextOut2(never.data(), "x"), -1);
    EXPECT_EQ(hostapi::aapLcom_popen3(nullptr, 3.0, courier()), -1);
}

TEST_F(PrintTest, AFullPageContinuesOnTheNextAndAnOpenJobIsReported)
{
    std::array<unsigned char, 342> job{};
    ASSERT_EQ(hostapi::aapLcom_popen3(job.data(), 5.0, courier()), 0);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(hostapi::aatDevPrnTextOut2(job.data(), "line"), 0);
    EXPECT_FALSE(mobrhost::journalEntries("print.newPage").empty());
    const auto open = mobrhost::unendedResources();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0], "printing: 1 print job not ended");
    ASSERT_EQ(hostapi::aapLcom_pclose(job.data()), 0);
    const int pages = pdfPages(tempPath("out.pdf"));
    EXPECT_GE(pages, 2);
    EXPECT_EQ(mobrhost::journalEntries("print.close")[0].args[0], std::to_string(pages));
}

class NoPrinterTest : public HostFixture {
protected:
    void adjustStart(mobrhost::HostStart& start) override { start.printToPdf = tempPath("no/such/folder/out.pdf"); }
};

TEST_F(NoPrinterTest, AJobThatCannotOpenIsRefusedWithAMessage)
{
    std::array<unsigned char, 342> job{};
    EXPECT_NE(hostapi::aapLcom_popen3(job.data(), 3.0, courier()), 0);
    EXPECT_EQ(job[0], 0);
    EXPECT_EQ(hostapi::aatDevPrnTextOut2(job.data(), "x"), -1);
    EXPECT_EQ(mobrhost::journalEntries("message").size(), 1u);
}
