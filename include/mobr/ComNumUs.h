#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mobr/export.h"

// One record of a numeric parameter table, 22 bytes without padding; the
// host's user parameter table is 40 of them (880 bytes):
//   offset 0   int16   kind: 0 constant, 1 value
//   offset 2   12 B    name, NUL-terminated when shorter than 12 bytes;
//                      an empty name (first byte 0) marks a free slot
//   offset 14  double  value, little-endian IEEE
namespace comnum {
constexpr int kRecordSize = 22;
constexpr int kKindOffset = 0;
constexpr int kNameOffset = 2;
constexpr int kNameSize = 12;
constexpr int kValueOffset = 14;
constexpr int kHostTableSlots = 40;
}  // namespace comnum

// A table of named numeric parameters over a fixed number of slots. The
// table never grows: entries are added into free slots and deleted by
// closing the gap. Exported whole, for the host as well as the options.
//
// Results: 0 success; -1 name already used; -2 name reserved; -3 no free
// slot; -10 index out of range or slot free. A negative index is out of
// range in every operation.
//
// Names are host-code-page bytes. A name is stored cut to 12 bytes without
// splitting a double-byte character, and names are compared in that stored
// form, so two names that would be stored alike count as the same name.
class MOBR_API CComNumUs {
public:
    enum Result : int {
        kOk = 0,
        kNameUsed = -1,
        kNameReserved = -2,
        kTableFull = -3,
        kBadIndex = -10,
    };

    CComNumUs();
    virtual ~CComNumUs();
    CComNumUs(const CComNumUs&) = delete;
    CComNumUs& operator=(const CComNumUs&) = delete;

    // Takes `count` records from `records`. The table keeps its slot count
    // only when `count` equals it; otherwise the slots are reallocated. The
    // records are copied in either way, so a table handed the same number of
    // records again holds the new ones. A negative count or null records with
    // a positive count change nothing.
    void SetData(const void* records, int count);
    // Copies min(slot count, count) records out and returns 1; 0 when the
    // table has no records.
    int GetData(void* records, int count) const;

    // Index of the first slot, used or free, whose name equals `name`
    // (case-sensitive), else -1.
    int FindName(const char* name) const;
    // -1 when the name is used by a slot, -2 when it is reserved, else 0.
    int IsAvailName(const char* name) const;
    // Adds a reserved name (duplicates are not checked).
    void SetReserve(const char* name);
    // The kind given to added and set entries and counted by GetCount.
    void SetMode(int mode);
    // The kind of a used slot; -1 for a free slot or an index out of range.
    int GetNumMode(int index) const;

    int AddPrm(const char* name, double value);
    int SetPrm(int index, const char* name, double value);
    // Closes the gap at `index`; the last slot becomes free (kind 0, value 0).
    void DelPrm(int index);
    int GetPrm(int index, std::string& name, double* value) const;
    // The same, into a caller's buffer of at least 12 bytes: the name is
    // written with its terminator in 12 bytes, so a stored name of 12 bytes
    // comes back cut to 11 (without splitting a double-byte character).
    int GetPrm(int index, char* name, double* value) const;

    int AddConstPrm(const char* name, double value);
    int SetConstPrm(int index, const char* name, double value);
    int GetConstPrm(int index, std::string& name, double* value);
    int GetConstPrm(int index, char* name, double* value);
    void DelConstPrm(int index);
    int AddValuePrm(const char* name, double value);
    int SetValuePrm(int index, const char* name, double value);
    int GetValuePrm(int index, std::string& name, double* value);
    int GetValuePrm(int index, char* name, double* value);
    void DelValuePrm(int index);

    // Used slots of any kind.
    int GetTotalCount() const;
    // Used slots whose kind equals the current mode.
    int GetCount() const;
    // Frees every slot whose kind is not 0 where it stands (kind kept).
    void RemoveValue();

    int GetMode() const { return mode_; }
    int GetSlotCount() const { return slotCount_; }

private:
    bool isValidIndex(int index) const { return index >= 0 && index < slotCount_; }
    unsigned char* slot(int index) const;
    bool isUsed(int index) const;
    void writeSlot(int index, const std::string& storedName, double value);

    std::int32_t mode_ = 0;
    std::vector<std::string> reserved_;
    std::int32_t slotCount_ = 0;
    std::unique_ptr<unsigned char[]> records_;
};
