// Calls made through the module's wrappers reach the host's implementations
// with their arguments and results unchanged; a missing name is reported, not
// jumped through.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "frame/HostApi.h"
#include "mobr/host_api_register.h"

namespace testhost {

// What the implementations below saw, for the tests to compare.
struct Seen {
    int32_t mode = 0;
    short fig = 0;
    void* copy = nullptr;
    int32_t discard = 0;
    void* indexTable = nullptr;
    double charSize = 0.0;
    unsigned char font[60] = {};
    void* job = nullptr;
};
Seen seen;

short aatSysInfCFigno(int32_t mode, short* fig)
{
    seen.mode = mode;
    *fig = -3;
    return -3;
}

short aapGetRecMdef() { return static_cast<short>(-32768); }

double aatWidGetWidth(void* table, int32_t width)
{
    seen.copy = table;
    return 0.25 * width;
}

int32_t aatSysInfVratio(int32_t mode, double* r1, double* r2, double* r3)
{
    seen.mode = mode;
    *r1 = 1.5;
    *r2 = -2.25;
    *r3 = 1e-300;
    return 0;
}

int32_t aatFigRestorePenInfoEx(short fig, void* copy, int32_t discard, void* indexTable)
{
    seen.fig = fig;
    seen.copy = copy;
    seen.discard = discard;
    seen.indexTable = indexTable;
    return 7;
}

int32_t aatCharExGetInfoMode(void* copy, char* text, int32_t size)
{
    seen.copy = copy;
    const char group[] = "\x82\xa0\x82\xa2";  // two double-byte characters
    if (static_cast<std::size_t>(size) >= sizeof group) std::memcpy(text, group, sizeof group);
    return 0x81;
}

int32_t aapLcom_popen3(void* job, double charSize, HostPrintRecord60 font)
{
    seen.job = job;
    seen.charSize = charSize;
    std::memcpy(seen.font, font.bytes, sizeof seen.font);
    font.bytes[0] = 0xEE;  // the callee's copy: the caller's record must not change
    return 0;
}

int32_t aapRunDlgHelp(int32_t topic) { return topic; }

}  // namespace testhost

// Stand-ins that replace a registration at run time.
namespace otherhost {
int32_t aapRunDlgHelp(int32_t topic) { return -topic; }
}  // namespace otherhost

class HostApiCalls : public ::testing::Test {
protected:
    void SetUp() override
    {
        aatDlgDllClearZqProcPtr();
        testhost::seen = {};
        MOBR_REGISTER_ONE(testhost, aatSysInfCFigno);
        MOBR_REGISTER_ONE(testhost, aapGetRecMdef);
        MOBR_REGISTER_ONE(testhost, aatWidGetWidth);
        MOBR_REGISTER_ONE(testhost, aatSysInfVratio);
        MOBR_REGISTER_ONE(testhost, aatFigRestorePenInfoEx);
        MOBR_REGISTER_ONE(testhost, aatCharExGetInfoMode);
        MOBR_REGISTER_ONE(testhost, aapLcom_popen3);
        MOBR_REGISTER_ONE(testhost, aapRunDlgHelp);
    }
    void TearDown() override { aatDlgDllClearZqProcPtr(); }
};

TEST_F(HostApiCalls, SixteenBitResultsKeepTheirSign)
{
    short fig = 0;
    const int widened = hostapi::aatSysInfCFigno(82, &fig);
    EXPECT_EQ(widened, -3);
    EXPECT_EQ(fig, -3);
    EXPECT_EQ(testhost::seen.mode, 82);
    EXPECT_EQ(int{hostapi::aapGetRecMdef()}, -32768);
}

TEST_F(HostApiCalls, DoublesPassBothWays)
{
    int dummy = 0;
    EXPECT_DOUBLE_EQ(hostapi::aatWidGetWidth(&dummy, 3), 0.75);
    EXPECT_EQ(testhost::seen.copy, &dummy);

    double r1 = 0, r2 = 0, r3 = 0;
    EXPECT_EQ(hostapi::aatSysInfVratio(114, &r1, &r2, &r3), 0);
    EXPECT_EQ(testhost::seen.mode, 114);
    EXPECT_EQ(r1, 1.5);
    EXPECT_EQ(r2, -2.25);
    EXPECT_EQ(r3, 1e-300);
}

TEST_F(HostApiCalls, HandlesAndWordsArriveInOrder)
{
    int copy = 0, index = 0;
    EXPECT_EQ(hostapi::aatFigRestorePenInfoEx(-1, &copy, 1, &index), 7);
    EXPECT_EQ(testhost::seen.fig, -1);
    EXPECT_EQ(testhost::seen.copy, &copy);
    EXPECT_EQ(testhost::seen.discard, 1);
    EXPECT_EQ(testhost::seen.indexTable, &index);
}

TEST_F(HostApiCalls, BuffersAreTheCallersAndRecordsGoByValue)
{
    char text[mobr::kHostPathBytes];
    std::memset(text, 'x', sizeof text);
    int copy = 0;
    EXPECT_EQ(hostapi::aatCharExGetInfoMode(&copy, text, static_cast<int32_t>(sizeof text)), 0x81);
    EXPECT_STREQ(text, "\x82\xa0\x82\xa2");
    EXPECT_EQ(text[5], 'x');  // nothing past the text and its terminator

    HostPrintRecord60 font{};
    for (int i = 0; i < 60; ++i) font.bytes[i] = static_cast<unsigned char>(i * 3 + 1);
    unsigned char job[mobr::kHostPrintJobBytes] = {};
    EXPECT_EQ(hostapi::aapLcom_popen3(job, 9.0, font), 0);
    EXPECT_EQ(testhost::seen.job, job);
    EXPECT_EQ(testhost::seen.charSize, 9.0);
    EXPECT_EQ(std::memcmp(testhost::seen.font, font.bytes, 60), 0);
    EXPECT_EQ(font.bytes[0], 1);
}

TEST_F(HostApiCalls, MissingNameThrowsWithTheNameAndSaysSoOnStderr)
{
    ::testing::internal::CaptureStderr();
    try {
        hostapi::aatPenGetCount(nullptr);
        ADD_FAILURE() << "no exception for an unregistered name";
    } catch (const hostapi::MissingHostFunction& e) {
        EXPECT_EQ(e.name(), "aatPenGetCount");
        EXPECT_STREQ(e.what(), "the host does not provide the function 'aatPenGetCount'");
    }
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "the host does not provide the function 'aatPenGetCount'\n");

    // The exception is a runtime_error, so a catch-all for those ends the call too.
    EXPECT_THROW(hostapi::aatDrwAllView(), std::runtime_error);
}

TEST_F(HostApiCalls, ReplacingOrRemovingARegistrationTakesEffectOnTheNextCall)
{
    EXPECT_EQ(hostapi::aapRunDlgHelp(457), 457);

    MOBR_REGISTER_ONE(otherhost, aapRunDlgHelp);
    EXPECT_EQ(hostapi::aapRunDlgHelp(457), -457);

    MOBR_REGISTER_ONE(testhost, aapRunDlgHelp);
    EXPECT_EQ(hostapi::aapRunDlgHelp(12), 12);

    aatDlgDllSetZqProcPtr("aapRunDlgHelp", nullptr);
    EXPECT_THROW(hostapi::aapRunDlgHelp(12), hostapi::MissingHostFunction);
    // Other names are untouched by the removal.
    EXPECT_EQ(int{hostapi::aapGetRecMdef()}, -32768);
}

TEST(HostApiRegistry, SetReturnsThePreviousFunctionAndRefusesEmptyNames)
{
    aatDlgDllClearZqProcPtr();
    int a = 0, b = 0;
    EXPECT_EQ(aatDlgDllSetZqProcPtr("aatDrwAllView", &a), nullptr);
    EXPECT_EQ(aatDlgDllSetZqProcPtr("aatDrwAllView", &b), &a);
    EXPECT_EQ(aatDlgDllGetZqProcPtr("aatDrwAllView"), &b);
    // Lookups compare whole names: a prefix or an extension is another name.
    EXPECT_EQ(aatDlgDllGetZqProcPtr("aatDrwAll"), nullptr);
    EXPECT_EQ(aatDlgDllGetZqProcPtr("aatDrwAllViewX"), nullptr);
    EXPECT_EQ(aatDlgDllSetZqProcPtr("", &a), nullptr);
    EXPECT_EQ(aatDlgDllGetZqProcPtr(""), nullptr);
    EXPECT_EQ(aatDlgDllGetZqProcPtr(nullptr), nullptr);
    EXPECT_EQ(aatDlgDllSetZqProcPtr("aatDrwAllView", nullptr), &b);
    EXPECT_EQ(aatDlgDllGetZqProcPtr("aatDrwAllView"), nullptr);
    aatDlgDllClearZqProcPtr();
}

// Names of the host table live in fixed slots found by a generated hash, other
// names in a map: every name must keep its own function, whichever side it is
// on, and clearing must empty both.
TEST(HostApiRegistry, EveryTableNameAndOtherNamesKeepTheirOwnFunction)
{
    aatDlgDllClearZqProcPtr();
    const auto& names = hostapi::allNames();
    // Extras: a name of table length, a longer one and one shorter than any
    // table name.
    const char* const extras[] = {"hostOwnExtra", "aatPenGetCountEx2", "fn"};
    const size_t extraCount = std::size(extras);
    std::vector<char> marks(names.size() + extraCount);
    for (size_t i = 0; i < names.size(); ++i) aatDlgDllSetZqProcPtr(names[i], &marks[i]);
    for (size_t i = 0; i < extraCount; ++i) aatDlgDllSetZqProcPtr(extras[i], &marks[names.size() + i]);

    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(aatDlgDllGetZqProcPtr(names[i]), &marks[i]) << names[i];
        const std::string name(names[i]);
        EXPECT_EQ(aatDlgDllFindZqProc(name.data(), name.size()), &marks[i]) << names[i];
        // A name given by length need not end where the string does.
        const std::string longer = name + "Tail";
        EXPECT_EQ(aatDlgDllFindZqProc(longer.data(), name.size()), &marks[i]) << names[i];
        EXPECT_EQ(aatDlgDllGetZqProcPtr(longer.c_str()), nullptr) << longer;
        // Every byte of the name counts: one byte changed anywhere never
        // finds this name's function (it may find another table name's).
        for (size_t at = 0; at < name.size(); ++at) {
            std::string changed = name;
            changed[at] = static_cast<char>(changed[at] ^ 0x20);
            EXPECT_NE(aatDlgDllGetZqProcPtr(changed.c_str()), &marks[i]) << changed;
        }
    }
    // Names shorter or longer than any table name are looked up without
    // reading past their end.
    EXPECT_EQ(aatDlgDllGetZqProcPtr("aat"), nullptr);
    EXPECT_EQ(aatDlgDllGetZqProcPtr(std::string(200, 'a').c_str()), nullptr);
    for (size_t i = 0; i < extraCount; ++i) EXPECT_EQ(aatDlgDllGetZqProcPtr(extras[i]), &marks[names.size() + i]);

    aatDlgDllClearZqProcPtr();
    for (const char* name : names) EXPECT_EQ(aatDlgDllGetZqProcPtr(name), nullptr) << name;
    for (const char* name : extras) EXPECT_EQ(aatDlgDllGetZqProcPtr(name), nullptr) << name;
}
