// The numeric parameter table, exercised as the options page and the host use it.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "mobr/ComNumUs.h"

namespace {

using Records = std::vector<unsigned char>;

Records emptyRecords(int count)
{
    return Records(static_cast<std::size_t>(count) * comnum::kRecordSize, 0);
}

struct Slot {
    int kind;
    std::string name;
    double value;
};

Slot readSlot(const Records& records, int index)
{
    const unsigned char* r = records.data() + index * comnum::kRecordSize;
    std::int16_t kind;
    double value;
    std::memcpy(&kind, r + comnum::kKindOffset, 2);
    std::memcpy(&value, r + comnum::kValueOffset, 8);
    const char* name = reinterpret_cast<const char*>(r + comnum::kNameOffset);
    return {kind, std::string(name, strnlen(name, comnum::kNameSize)), value};
}

Records snapshot(const CComNumUs& table)
{
    Records out = emptyRecords(table.GetSlotCount());
    EXPECT_EQ(table.GetData(out.data(), table.GetSlotCount()), 1);
    return out;
}

class ComNumTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        Records host = emptyRecords(comnum::kHostTableSlots);
        table.SetData(host.data(), comnum::kHostTableSlots);
    }
    CComNumUs table;
};

TEST(ComNumEmpty, TableWithoutRecordsRefusesEverything)
{
    CComNumUs table;
    Records out = emptyRecords(1);
    EXPECT_EQ(table.GetData(out.data(), 1), 0);
    EXPECT_EQ(table.AddPrm("A", 1.0), CComNumUs::kTableFull);
    EXPECT_EQ(table.GetTotalCount(), 0);
    EXPECT_EQ(table.GetNumMode(0), -1);
    table.DelPrm(0);  // nothing to do, must not touch memory
}

TEST_F(ComNumTable, AddFillsFirstFreeSlotWithModeAsKind)
{
    EXPECT_EQ(table.AddConstPrm("A", 1.5), 0);
    EXPECT_EQ(table.AddValuePrm("B", 2.5), 0);
    const Records r = snapshot(table);
    EXPECT_EQ(readSlot(r, 0).kind, 0);
    EXPECT_EQ(readSlot(r, 0).name, "A");
    EXPECT_EQ(readSlot(r, 1).kind, 1);
    EXPECT_DOUBLE_EQ(readSlot(r, 1).value, 2.5);
    EXPECT_EQ(table.GetNumMode(1), 1);
    EXPECT_EQ(table.GetNumMode(2), -1);  // free slot
}

TEST_F(ComNumTable, FullTableAnswersFullBeforeAnyNameCheck)
{
    table.SetReserve("MX");
    for (int i = 0; i < comnum::kHostTableSlots; ++i) {
        ASSERT_EQ(table.AddPrm(("P" + std::to_string(i)).c_str(), i), 0);
    }
    EXPECT_EQ(table.AddPrm("MX", 1.0), CComNumUs::kTableFull);
    EXPECT_EQ(table.AddPrm("P3", 1.0), CComNumUs::kTableFull);
    EXPECT_EQ(table.AddPrm("NEW", 1.0), CComNumUs::kTableFull);
}

TEST_F(ComNumTable, ReservedAndUsedNamesAreCaseSensitive)
{
    table.SetReserve("MX");
    EXPECT_EQ(table.AddPrm("MX", 1.0), CComNumUs::kNameReserved);
    EXPECT_EQ(table.AddPrm("mx", 1.0), 0);
    EXPECT_EQ(table.AddPrm("M", 1.0), 0);  // a prefix of a reserved name is free
    EXPECT_EQ(table.AddConstPrm("K", 1.0), 0);
    EXPECT_EQ(table.AddValuePrm("K", 2.0), CComNumUs::kNameUsed);  // whatever the kind
    EXPECT_EQ(table.GetTotalCount(), 3);
}

TEST_F(ComNumTable, SetRefusesFreeSlotsAndForeignNames)
{
    ASSERT_EQ(table.AddPrm("A", 1.0), 0);
    ASSERT_EQ(table.AddPrm("B", 2.0), 0);
    EXPECT_EQ(table.SetPrm(2, "C", 3.0), CComNumUs::kBadIndex);
    EXPECT_EQ(table.SetPrm(-1, "C", 3.0), CComNumUs::kBadIndex);
    EXPECT_EQ(table.SetPrm(40, "C", 3.0), CComNumUs::kBadIndex);
    const Records before = snapshot(table);
    EXPECT_EQ(table.SetPrm(0, "B", 9.0), CComNumUs::kNameUsed);
    EXPECT_EQ(snapshot(table), before);
    // Keeping its own name never fails, and takes the current mode as kind.
    EXPECT_EQ(table.SetValuePrm(0, "A", 7.0), 0);
    EXPECT_EQ(readSlot(snapshot(table), 0).kind, 1);
    EXPECT_DOUBLE_EQ(readSlot(snapshot(table), 0).value, 7.0);
    EXPECT_EQ(table.SetPrm(0, "Z", 8.0), 0);
    EXPECT_EQ(table.FindName("Z"), 0);
}

TEST_F(ComNumTable, DeleteClosesTheGapAndClearsTheLastSlot)
{
    table.AddPrm("A", 1.0);
    table.AddValuePrm("B", 2.0);
    table.AddPrm("C", 3.0);
    table.DelPrm(0);
    const Records r = snapshot(table);
    EXPECT_EQ(readSlot(r, 0).name, "B");
    EXPECT_EQ(readSlot(r, 0).kind, 1);
    EXPECT_EQ(readSlot(r, 1).name, "C");
    EXPECT_EQ(readSlot(r, 2).name, "");
    EXPECT_EQ(readSlot(r, 2).kind, 0);
    EXPECT_EQ(readSlot(r, 2).value, 0.0);
    const Records unchanged = snapshot(table);
    table.DelPrm(40);
    table.DelPrm(-1);
    EXPECT_EQ(snapshot(table), unchanged);
}

TEST_F(ComNumTable, GetRefusesIndexesBeyondTheUsedCount)
{
    table.AddPrm("A", 1.0);
    table.AddPrm("B", 2.0);
    std::string name;
    double value = 0;
    EXPECT_EQ(table.GetPrm(2, name, &value), CComNumUs::kBadIndex);
    EXPECT_EQ(table.GetPrm(-1, name, &value), CComNumUs::kBadIndex);
    EXPECT_EQ(table.GetPrm(1, name, &value), 0);
    EXPECT_EQ(name, "B");
    EXPECT_DOUBLE_EQ(value, 2.0);
}

TEST_F(ComNumTable, CountsFollowTheMode)
{
    table.AddConstPrm("A", 1.0);
    table.AddValuePrm("B", 2.0);
    table.AddValuePrm("C", 3.0);
    table.SetMode(1);
    EXPECT_EQ(table.GetCount(), 2);
    table.SetMode(0);
    EXPECT_EQ(table.GetCount(), 1);
    table.SetMode(5);
    EXPECT_EQ(table.GetMode(), 1);
    EXPECT_EQ(table.GetTotalCount(), 3);
}

TEST_F(ComNumTable, RemoveValueEmptiesValueEntriesInPlace)
{
    table.AddConstPrm("A", 1.0);
    table.AddValuePrm("B", 2.0);
    table.AddConstPrm("C", 3.0);
    table.RemoveValue();
    const Records r = snapshot(table);
    EXPECT_EQ(readSlot(r, 0).name, "A");
    EXPECT_EQ(readSlot(r, 1).name, "");
    EXPECT_EQ(readSlot(r, 1).kind, 1);  // kind stays
    EXPECT_EQ(readSlot(r, 1).value, 0.0);
    EXPECT_EQ(readSlot(r, 2).name, "C");
    EXPECT_EQ(table.GetNumMode(1), -1);
    EXPECT_EQ(table.AddConstPrm("D", 4.0), 0);  // the hole is the first free slot
    EXPECT_EQ(table.FindName("D"), 1);
}

TEST_F(ComNumTable, GetDataCopiesAtMostTheCallersCount)
{
    table.AddPrm("A", 1.0);
    Records ten = emptyRecords(11);
    std::memset(ten.data(), 0xAB, ten.size());
    EXPECT_EQ(table.GetData(ten.data(), 10), 1);
    EXPECT_EQ(readSlot(ten, 0).name, "A");
    EXPECT_EQ(ten[10 * comnum::kRecordSize], 0xAB);  // record 11 untouched
}

TEST_F(ComNumTable, SetDataWithTheSameCountTakesTheNewRecords)
{
    table.AddPrm("A", 1.0);
    Records other = emptyRecords(comnum::kHostTableSlots);
    const char name[] = "Q";
    std::memcpy(other.data() + comnum::kNameOffset, name, 1);
    table.SetData(other.data(), comnum::kHostTableSlots);
    EXPECT_EQ(table.FindName("Q"), 0);
    EXPECT_EQ(table.FindName("A"), -1);
    table.SetData(nullptr, 5);  // refused: nothing changes
    EXPECT_EQ(table.GetSlotCount(), comnum::kHostTableSlots);
    Records three = emptyRecords(3);
    table.SetData(three.data(), 3);
    EXPECT_EQ(table.GetSlotCount(), 3);
}

TEST_F(ComNumTable, LongNamesAreStoredCutAndCompareInStoredForm)
{
    ASSERT_EQ(table.AddPrm("ABCDEFGHIJKLMN", 1.0), 0);
    const Records r = snapshot(table);
    const unsigned char* field = r.data() + comnum::kNameOffset;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(field), 12), "ABCDEFGHIJKL");  // no terminator
    EXPECT_EQ(table.AddPrm("ABCDEFGHIJKLXY", 2.0), CComNumUs::kNameUsed);
    // The caller's 12-byte buffer always ends terminated inside its 12 bytes.
    std::array<char, 13> buffer;
    buffer.fill('#');
    double value = 0;
    EXPECT_EQ(table.GetPrm(0, buffer.data(), &value), 0);
    EXPECT_STREQ(buffer.data(), "ABCDEFGHIJK");
    EXPECT_EQ(buffer[12], '#');
}

TEST_F(ComNumTable, DoubleByteNameIsNeverSplitInTheSlot)
{
    // 11 ASCII bytes then a two-byte character: the character does not fit.
    const std::string name = std::string("ABCDEFGHIJK") + "\x83\x41";
    ASSERT_EQ(table.AddPrm(name.c_str(), 1.0), 0);
    std::string stored;
    table.GetPrm(0, stored, nullptr);
    EXPECT_EQ(stored, "ABCDEFGHIJK");
}

}  // namespace
