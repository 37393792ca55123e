// The runtime: what the journal records, replacement and restore of single
// functions, the list of missing rows, and the end-of-test resource check.

#include <nlohmann/json.hpp>

#include <cstring>
#include <iostream>
#include <map>
#include <stdexcept>

#include "HostFixture.h"
#include "frame/HostApi.h"

// Rows implemented here for the runtime's sake: a table handle with a name,
// texts in and out, values through pointers.
namespace testrows {

struct Table {
    int count = 0;
};
std::map<void*, Table*> open;
Table tables[4];
int nextTable = 0;

void* aatPenOpen()
{
    Table* t = &tables[nextTable++ % 4];
    t->count = 0;
    open[t] = t;
    mobrhost::journalNameHandle(t, "pen");
    return t;
}
int32_t aatPenClose(void* table)
{
    if (!open.erase(table)) return -1;
    mobrhost::journalForgetHandle(table);
    return 0;
}
int32_t aatPenNewInfo(void* table, const char* name)
{
    return open.count(table) && name ? ++open[table]->count : -1;
}
int32_t aatSysGetSktColor(int32_t which, int32_t* red, int32_t* green, int32_t* blue)
{
    *red = which * 10;
    *green = 20;
    *blue = 30;
    return 0;
}
int32_t aatSysInfVratio(int32_t mode, double* r1, double* r2, double* r3)
{
    if (mode != 114) return -1;
    *r1 = 0.5;
    *r2 = 1.25;
    *r3 = 3;
    return 0;
}
int32_t aatPenGetName(void* table, int32_t pen, char* name)
{
    std::strcpy(name, "\x83\x79\x83\x93");   // two double-byte characters
    return 0;
}

int32_t failingPenCount(void*) { return -7; }
int32_t otherPenCount(void*) { return 99; }

}  // namespace testrows

class RuntimeTest : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        MOBR_HOST_IMPLEMENT_NS(testrows, aatPenOpen);
        MOBR_HOST_IMPLEMENT_NS(testrows, aatPenClose);
        MOBR_HOST_IMPLEMENT_NS(testrows, aatPenNewInfo);
        MOBR_HOST_IMPLEMENT_NS(testrows, aatSysGetSktColor);
        MOBR_HOST_IMPLEMENT_NS(testrows, aatSysInfVratio);
        MOBR_HOST_IMPLEMENT_NS(testrows, aatPenGetName);
        mobrhost::journalClear();
    }
};

TEST_F(RuntimeTest, JournalRecordsNamesArgumentsResultsAndSymbolicHandles)
{
    void* a = hostapi::aatPenOpen();
    void* b = hostapi::aatPenOpen();
    EXPECT_EQ(hostapi::aatPenNewInfo(b, "PEN1"), 1);
    EXPECT_EQ(hostapi::aatPenNewInfo(b, nullptr), -1);
    int32_t r = -1, g = -1, bl = -1;
    hostapi::aatSysGetSktColor(2, &r, &g, &bl);
    double v1 = 0, v2 = 0, v3 = 0;
    hostapi::aatSysInfVratio(114, &v1, &v2, &v3);
    char name[mobr::kHostNameBufferBytes];
    hostapi::aatPenGetName(a, 1, name);
    EXPECT_EQ(hostapi::aatPenClose(a), 0);
    EXPECT_EQ(hostapi::aatPenClose(a), -1);   // the name is gone with the handle
    hostapi::aatPenClose(b);

    const auto entries = mobrhost::journalEntries();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0].name, "aatPenOpen");
    EXPECT_TRUE(entries[0].args.empty());
    EXPECT_EQ(entries[0].result, "pen#1");
    EXPECT_EQ(entries[1].result, "pen#2");
    EXPECT_EQ(entries[2].args, (std::vector<std::string>{"pen#2", "\"PEN1\""}));
    EXPECT_EQ(entries[2].result, "1");
    EXPECT_EQ(entries[3].args, (std::vector<std::string>{"pen#2", "null"}));
    EXPECT_EQ(entries[3].result, "-1");
    EXPECT_EQ(entries[4].args, (std::vector<std::string>{"2", "*20", "*20", "*30"}));
    EXPECT_EQ(entries[5].args, (std::vector<std::string>{"114", "*0.5", "*1.25", "*3"}));
    EXPECT_EQ(entries[6].args, (std::vector<std::string>{"pen#1", "1", "buf"}));
    EXPECT_EQ(entries[7].args, (std::vector<std::string>{"pen#1"}));   // named before the call ended it
    EXPECT_EQ(entries[8].args, (std::vector<std::string>{"block"}));
    EXPECT_EQ(entries[8].result, "-1");

    // Exported as JSON with the same texts, UTF-8 throughout.
    const auto json = nlohmann::json::parse(mobrhost::journalToJson());
    ASSERT_EQ(json.size(), 10u);
    EXPECT_EQ(json[2]["name"], "aatPenNewInfo");
    EXPECT_EQ(json[2]["args"][1], "\"PEN1\"");
    EXPECT_EQ(json[5]["args"][2], "*1.25");

    EXPECT_EQ(mobrhost::journalEntries("aatPenOpen").size(), 2u);
}

TEST_F(RuntimeTest, TextArgumentsAreRecordedAsUtf8AndJournalCanBeSwitchedOff)
{
    void* t = hostapi::aatPenOpen();
    hostapi::aatPenNewInfo(t, "\x90\xd4");   // a double-byte name
    mobrhost::journalEnable(false);
    hostapi::aatPenNewInfo(t, "unseen");
    mobrhost::journalEnable(true);
    hostapi::aatPenClose(t);
    const auto entries = mobrhost::journalEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].args[1], "\"\xe8\xb5\xa4\"");
    EXPECT_EQ(entries[2].name, "aatPenClose");
}

TEST_F(RuntimeTest, ReplacementTakesOverAndRestoresNestedAndIsJournalled)
{
    void* t = hostapi::aatPenOpen();
    {
        mobrhost::ScopedHostOverride fail("aatPenNewInfo", +[](void*, const char*) -> int32_t { return -5; });
        EXPECT_EQ(hostapi::aatPenNewInfo(t, "A"), -5);
        {
            mobrhost::ScopedHostOverride inner("aatPenNewInfo", +[](void*, const char*) -> int32_t { return 42; });
            EXPECT_EQ(hostapi::aatPenNewInfo(t, "A"), 42);
        }
        EXPECT_EQ(hostapi::aatPenNewInfo(t, "A"), -5);
    }
    EXPECT_EQ(hostapi::aatPenNewInfo(t, "A"), 1);
    const auto calls = mobrhost::journalEntries("aatPenNewInfo");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].result, "-5");
    EXPECT_EQ(calls[1].result, "42");
    EXPECT_EQ(calls[3].result, "1");
    hostapi::aatPenClose(t);
}

TEST_F(RuntimeTest, ReplacementRefusesWrongTypesAndUnknownNamesAndCoversMissingRows)
{
    EXPECT_THROW(mobrhost::ScopedHostOverride("aatPenNewInfo", &testrows::failingPenCount),
                 std::invalid_argument);
    EXPECT_THROW(mobrhost::ScopedHostOverride("aatNoSuchFunction", &testrows::failingPenCount),
                 std::invalid_argument);

    // A row nobody registered is provided for a while, then missing again.
    mobrhost::unregisterAll();
    ASSERT_EQ(aatDlgDllGetZqProcPtr("aatPenGetCount"), nullptr);
    {
        mobrhost::ScopedHostOverride provide("aatPenGetCount", &testrows::otherPenCount);
        EXPECT_EQ(hostapi::aatPenGetCount(nullptr), 99);
    }
    EXPECT_THROW(hostapi::aatPenGetCount(nullptr), hostapi::MissingHostFunction);
}

TEST_F(RuntimeTest, MissingRowsAreTheTableMinusTheRegisteredOnes)
{
    const auto implemented = mobrhost::implementedRows();
    const auto missing = mobrhost::missingRows();
    EXPECT_EQ(implemented.size() + missing.size(), hostapi::kHostFunctionCount);
    for (const std::string& name : missing) {
        EXPECT_EQ(aatDlgDllGetZqProcPtr(name.c_str()), nullptr) << name;
    }
    EXPECT_NE(std::find(implemented.begin(), implemented.end(), "aatPenOpen"), implemented.end());
    // What the host still lacks, for whoever reads the test log.
    std::cout << "host rows implemented: " << implemented.size() << ", missing: " << missing.size() << "\n";
    for (const std::string& name : missing) std::cout << "  missing " << name << "\n";

    mobrhost::unregisterAll();
    EXPECT_EQ(mobrhost::missingRows().size(), hostapi::kHostFunctionCount);
    EXPECT_TRUE(mobrhost::implementedRows().empty());
}

TEST(RuntimeEndCheck, ReportsOpenAndBadlyEndedResourcesPerOwner)
{
    int open = 0, bad = 0;
    mobrhost::setLiveReporter("figures", [&] {
        return std::vector<mobrhost::LiveCount>{{"pen edit copy", open, bad}, {"index table", 0, 0}};
    });
    EXPECT_TRUE(mobrhost::unendedResources().empty());
    open = 2;
    bad = 1;
    const auto problems = mobrhost::unendedResources();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "figures: 2 pen edit copy not ended");
    EXPECT_NE(problems[1].find("ended more than once"), std::string::npos);
    mobrhost::setLiveReporter("figures", {});
    EXPECT_TRUE(mobrhost::unendedResources().empty());
}

TEST(RuntimeStart, ResetHandlersRunInOrderAndAFailureIsReported)
{
    std::vector<std::string> order;
    mobrhost::setResetHandler("a", [&](const mobrhost::HostStart& s) { order.push_back("a" + std::to_string(s.bootState)); });
    mobrhost::setResetHandler("b", [&](const mobrhost::HostStart&) { order.push_back("b"); });
    mobrhost::HostStart start;
    start.bootState = 1;
    std::string error;
    EXPECT_TRUE(mobrhost::startHost(start, &error)) << error;
    EXPECT_EQ(order, (std::vector<std::string>{"a1", "b"}));
    EXPECT_EQ(mobrhost::hostStart().bootState, 1);

    mobrhost::setResetHandler("b", [](const mobrhost::HostStart&) { throw std::runtime_error("disk full"); });
    EXPECT_FALSE(mobrhost::startHost(start, &error));
    EXPECT_EQ(error, "b: disk full");
    mobrhost::setResetHandler("a", {});
    mobrhost::setResetHandler("b", {});
    mobrhost::unregisterAll();
}
