#include "mobr/ComNumUs.h"

#include <algorithm>
#include <cstring>

#include "mobr/Bytes.h"
#include "platform/CodePage.h"

namespace cp932 = mobr::cp932;

using namespace comnum;

namespace {

// The form a name takes in a slot: at most 12 bytes, never ending in half of
// a double-byte character.
std::string storedName(const char* name)
{
    if (!name) return std::string();
    const std::size_t length = ::strnlen(name, kNameSize + 2);
    return cp932::cut(std::string(name, length), kNameSize);
}

std::string slotName(const unsigned char* record) { return mobr::bytes::text(record, kNameOffset, kNameSize); }

std::int16_t slotKind(const unsigned char* record) { return mobr::bytes::i16(record, kKindOffset); }

double slotValue(const unsigned char* record) { return mobr::bytes::f64(record, kValueOffset); }

void setSlotKind(unsigned char* record, std::int16_t kind) { mobr::bytes::setI16(record, kKindOffset, kind); }

// The name is stored as it is (storedName cut it already), zero-filled.
void setSlotName(unsigned char* record, const std::string& name)
{
    std::memset(record + kNameOffset, 0, kNameSize);
    std::memcpy(record + kNameOffset, name.data(), std::min<std::size_t>(name.size(), kNameSize));
}

void setSlotValue(unsigned char* record, double value) { mobr::bytes::setF64(record, kValueOffset, value); }

}  // namespace

CComNumUs::CComNumUs() = default;
CComNumUs::~CComNumUs() = default;

unsigned char* CComNumUs::slot(int index) const
{
    return records_.get() + static_cast<std::size_t>(index) * kRecordSize;
}

bool CComNumUs::isUsed(int index) const
{
    return isValidIndex(index) && slot(index)[kNameOffset] != 0;
}

void CComNumUs::writeSlot(int index, const std::string& name, double value)
{
    unsigned char* record = slot(index);
    setSlotName(record, name);
    setSlotValue(record, value);
    setSlotKind(record, static_cast<std::int16_t>(mode_));
}

void CComNumUs::SetData(const void* records, int count)
{
    if (count < 0 || (count > 0 && !records)) return;
    if (count != slotCount_ || !records_) {
        records_ = count > 0 ? std::make_unique<unsigned char[]>(static_cast<std::size_t>(count) * kRecordSize) : nullptr;
        slotCount_ = count;
    }
    if (count > 0) std::memcpy(records_.get(), records, static_cast<std::size_t>(count) * kRecordSize);
}

int CComNumUs::GetData(void* records, int count) const
{
    if (!records_ || !records || count < 0) return 0;
    const int copied = std::min(slotCount_, count);
    std::memcpy(records, records_.get(), static_cast<std::size_t>(copied) * kRecordSize);
    return 1;
}

int CComNumUs::FindName(const char* name) const
{
    const std::string wanted = storedName(name);
    for (int i = 0; i < slotCount_; ++i) {
        if (slotName(slot(i)) == wanted) return i;
    }
    return -1;
}

int CComNumUs::IsAvailName(const char* name) const
{
    if (FindName(name) >= 0) return kNameUsed;
    const std::string wanted = storedName(name);
    for (const std::string& reserved : reserved_) {
        if (reserved == wanted) return kNameReserved;
    }
    return kOk;
}

void CComNumUs::SetReserve(const char* name)
{
    if (name) reserved_.emplace_back(name);
}

void CComNumUs::SetMode(int mode)
{
    mode_ = mode != 0 ? 1 : 0;
}

int CComNumUs::GetNumMode(int index) const
{
    return isUsed(index) ? slotKind(slot(index)) : -1;
}

int CComNumUs::AddPrm(const char* name, double value)
{
    if (GetTotalCount() >= slotCount_) return kTableFull;
    if (const int avail = IsAvailName(name); avail != kOk) return avail;
    for (int i = 0; i < slotCount_; ++i) {
        if (!isUsed(i)) {
            writeSlot(i, storedName(name), value);
            return kOk;
        }
    }
    return kTableFull;
}

int CComNumUs::SetPrm(int index, const char* name, double value)
{
    if (!isUsed(index)) return kBadIndex;
    const std::string wanted = storedName(name);
    if (wanted != slotName(slot(index))) {
        if (const int avail = IsAvailName(name); avail != kOk) return avail;
    }
    writeSlot(index, wanted, value);
    return kOk;
}

void CComNumUs::DelPrm(int index)
{
    if (!isValidIndex(index)) return;
    unsigned char* first = slot(index);
    const std::size_t following = static_cast<std::size_t>(slotCount_ - index - 1) * kRecordSize;
    std::memmove(first, first + kRecordSize, following);
    std::memset(slot(slotCount_ - 1), 0, kRecordSize);
}

int CComNumUs::GetPrm(int index, std::string& name, double* value) const
{
    if (!isValidIndex(index) || index >= GetTotalCount()) return kBadIndex;
    name = slotName(slot(index));
    if (value) *value = slotValue(slot(index));
    return kOk;
}

int CComNumUs::GetPrm(int index, char* name, double* value) const
{
    std::string text;
    const int result = GetPrm(index, text, value);
    if (result == kOk && name) {
        const std::string cut = cp932::cut(text, kNameSize - 1);
        std::memcpy(name, cut.c_str(), cut.size() + 1);
    }
    return result;
}

int CComNumUs::AddConstPrm(const char* name, double value) { SetMode(0); return AddPrm(name, value); }
int CComNumUs::SetConstPrm(int index, const char* name, double value) { SetMode(0); return SetPrm(index, name, value); }
int CComNumUs::GetConstPrm(int index, std::string& name, double* value) { SetMode(0); return GetPrm(index, name, value); }
int CComNumUs::GetConstPrm(int index, char* name, double* value) { SetMode(0); return GetPrm(index, name, value); }
void CComNumUs::DelConstPrm(int index) { SetMode(0); DelPrm(index); }
int CComNumUs::AddValuePrm(const char* name, double value) { SetMode(1); return AddPrm(name, value); }
int CComNumUs::SetValuePrm(int index, const char* name, double value) { SetMode(1); return SetPrm(index, name, value); }
int CComNumUs::GetValuePrm(int index, std::string& name, double* value) { SetMode(1); return GetPrm(index, name, value); }
int CComNumUs::GetValuePrm(int index, char* name, double* value) { SetMode(1); return GetPrm(index, name, value); }
void CComNumUs::DelValuePrm(int index) { SetMode(1); DelPrm(index); }

int CComNumUs::GetTotalCount() const
{
    int used = 0;
    for (int i = 0; i < slotCount_; ++i) used += isUsed(i) ? 1 : 0;
    return used;
}

int CComNumUs::GetCount() const
{
    int used = 0;
    for (int i = 0; i < slotCount_; ++i) used += (isUsed(i) && slotKind(slot(i)) == mode_) ? 1 : 0;
    return used;
}

void CComNumUs::RemoveValue()
{
    for (int i = 0; i < slotCount_; ++i) {
        unsigned char* record = slot(i);
        if (slotKind(record) != 0) {
            setSlotName(record, std::string());
            setSlotValue(record, 0.0);
        }
    }
}
