// Point modes: names of the built-in modes and user search tables, the input
// tables per input type, the selectable modes, the offered order and the
// in-use mask.

#include <cstring>

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"
#include "platform/CodePage.h"

namespace mobrhost {

namespace {

// Position i of a code is its bit in the in-use mask.
constexpr const char* kCodeTable = "AFPXSGMR0123";
constexpr int kBuiltIn = 8;
const char* const kBuiltInNames[kBuiltIn] = {
    "Any point", "Free point", "End point", "Intersection", "Snap point", "Grid point", "Middle point", "Ratio point",
};
constexpr int32_t kRatioModeStatus = 0x20;   // command status bit that makes mode "R" available

int codePosition(int code)
{
    if (code <= 0 || code > 0x7F) return -1;
    const char* p = std::strchr(kCodeTable, code);
    return p ? static_cast<int>(p - kCodeTable) : -1;
}

}  // namespace

int32_t aasPModeInpTypeGet() { return settings().integer("PModeInpType"); }

int32_t aasPModeInpTableGet(void* table)
{
    if (!table) return -1;
    std::memcpy(table, settings().inputTable(aasPModeInpTypeGet()).data(), mobr::kHostInputTableBytes);
    return 0;
}

int32_t aasPModeInpTableAllSet(int32_t type, const void* table)
{
    if (type < 0 || type >= SystemSettings::kInputTypes || !table) return -1;
    std::memcpy(settings().inputTable(type).data(), table, mobr::kHostInputTableBytes);
    return 0;
}

int32_t aasPModeInpUpdateSet()
{
    // The input settings take effect for the next input.
    settings().setNumber("Run.InputUpdates", settings().number("Run.InputUpdates") + 1);
    return 0;
}

const char* aasPModeNameGet(int32_t position)
{
    return position >= 0 && position < kBuiltIn ? kBuiltInNames[position] : nullptr;
}

const char* aasPModeUserNameGet(int32_t table)
{
    if (table < 0 || table >= SystemSettings::kUserSearchTables) return nullptr;
    return settings().searchTable(1 + table).name.c_str();
}

const char* aasPModeNameTmpGet(int32_t code)
{
    const int position = codePosition(code);
    if (position < 0) return nullptr;
    if (position < kBuiltIn) return kBuiltInNames[position];
    const char* name = aasPModeUserNameGet(position - kBuiltIn);
    return name && *name ? name : nullptr;
}

const void* aasPModeTableGet(int32_t table)
{
    if (table < 0 || table > SystemSettings::kUserSearchTables) return nullptr;
    return settings().searchTable(table).bytes.data();
}

const void* aasPModeUsetTableGet(int32_t table)
{
    if (table < 0 || table >= SystemSettings::kUserSearchTables) return nullptr;
    return settings().searchTable(1 + table).bytes.data() + mobr::kHostNameBytes;
}

int32_t aasPModeDataTmpGet(int32_t index, char* code, char* name)
{
    // The selectable modes in code table order: 1 when available, 0 when not
    // (mode "R" without its command status bit, an undefined user table);
    // past the end the code is ' ' and the result -1.
    if (!code || !name) return -1;
    if (index < 0 || index >= static_cast<int32_t>(std::strlen(kCodeTable))) {
        *code = ' ';
        name[0] = '\0';
        return -1;
    }
    *code = kCodeTable[index];
    if (index < kBuiltIn) {
        mobr::cp932::copyToBuffer(kBuiltInNames[index], name, mobr::kHostLabelBytes);
        if (*code == 'R' && !(hostStart().commandStatus & kRatioModeStatus)) return 0;
        return 1;
    }
    const std::string& user = settings().searchTable(1 + index - kBuiltIn).name;
    mobr::cp932::copyToBuffer(user, name, mobr::kHostLabelBytes);
    return user.empty() ? 0 : 1;
}

int32_t aatAtrPntMode_GetSort(char* sort)
{
    if (!sort) return -1;
    mobr::cp932::copyToBuffer(settings().text("PModeSort"), sort, mobr::kHostSortStringBytes);
    return 0;
}

int32_t aatAtrPntMode_SetSort(const char* sort)
{
    if (!sort) return -1;
    const std::size_t length = strnlen(sort, mobr::kHostSortStringBytes);
    if (length >= mobr::kHostSortStringBytes) return -1;
    for (std::size_t i = 0; i < length; ++i) {
        if (codePosition(static_cast<unsigned char>(sort[i])) < 0) return -1;
    }
    settings().setText("PModeSort", std::string(sort, length));
    return 0;
}

int32_t aatAtrPntMode_GetUsed() { return settings().integer("PModeUsed"); }
int32_t aatAtrPntMode_SetUsed(int32_t mask)
{
    if (mask < 0 || mask > 0xFFFF) return -1;
    settings().setNumber("PModeUsed", mask);
    return 0;
}

void registerPModeApi()
{
    MOBR_HOST_IMPLEMENT(aasPModeInpTypeGet);
    MOBR_HOST_IMPLEMENT(aasPModeInpTableGet);
    MOBR_HOST_IMPLEMENT(aasPModeInpTableAllSet);
    MOBR_HOST_IMPLEMENT(aasPModeInpUpdateSet);
    MOBR_HOST_IMPLEMENT(aasPModeNameGet);
    MOBR_HOST_IMPLEMENT(aasPModeUserNameGet);
    MOBR_HOST_IMPLEMENT(aasPModeNameTmpGet);
    MOBR_HOST_IMPLEMENT(aasPModeTableGet);
    MOBR_HOST_IMPLEMENT(aasPModeUsetTableGet);
    MOBR_HOST_IMPLEMENT(aasPModeDataTmpGet);
    MOBR_HOST_IMPLEMENT(aatAtrPntMode_GetSort);
    MOBR_HOST_IMPLEMENT(aatAtrPntMode_SetSort);
    MOBR_HOST_IMPLEMENT(aatAtrPntMode_GetUsed);
    MOBR_HOST_IMPLEMENT(aatAtrPntMode_SetUsed);
}

}  // namespace mobrhost
