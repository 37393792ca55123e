// Snap points and search tables: point type, size of the snap table, default
// point mode codes, and setting the search tables again (init, set, create).

#include <cstring>

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"
#include "model/ByteAccess.h"

namespace mobrhost {

namespace {
// Point mode codes, and "N" for no mode.
constexpr const char* kCodes = "AFPXSGMR0123N";
}  // namespace

int32_t aatSchGetPointType() { return settings().integer("PointType"); }
int32_t aatSchSetPointType(int32_t type)
{
    if (type < 2 || type > 5) return -1;
    settings().setNumber("PointType", type);
    return 0;
}
int32_t aatSchGetTableMax() { return settings().integer("SchTableMax"); }
int32_t aatSchSetTableMax(int32_t max)
{
    if (max < 1 || max > 50) return -1;
    settings().setNumber("SchTableMax", max);
    return 0;
}

int32_t aatSchSetPLank(int32_t index, int32_t code)
{
    if (index < 0 || index > 3 || code <= 0 || code > 0x7F || !std::strchr(kCodes, code)) return -1;
    settings().setNumber("PLank" + std::to_string(index), code);
    return 0;
}

int32_t aasSchBaseTableInit()
{
    for (int t = 0; t <= SystemSettings::kUserSearchTables; ++t) {
        SearchTable& pending = settings().pendingSearchTable(t);
        pending.name.clear();
        pending.kinds.fill(0xFFFF);
    }
    settings().setNumber("Run.SearchTablesPending", 1);
    return 0;
}

int32_t aasSchTableSet(int32_t kind, int32_t index, const char* name, const void* kinds)
{
    // kind 0: the base table (index ignored); kind 1: user table index 0..3.
    int table = -1;
    if (kind == 0) table = 0;
    else if (kind == 1 && index >= 0 && index < SystemSettings::kUserSearchTables) table = 1 + index;
    if (table < 0 || !kinds || settings().integer("Run.SearchTablesPending") != 1) return -1;
    const std::size_t length = name ? std::strlen(name) : 0;
    if (length >= mobr::kHostNameBytes) return -1;
    SearchTable& pending = settings().pendingSearchTable(table);
    pending.name.assign(name ? name : "", length);
    for (std::size_t k = 0; k < mobr::kHostSearchKinds; ++k) pending.kinds[k] = bytes::read<uint16_t>(kinds, 2 * k);
    return 0;
}

int32_t aasSchTableCreate()
{
    if (settings().integer("Run.SearchTablesPending") != 1) return -1;
    for (int t = 0; t <= SystemSettings::kUserSearchTables; ++t) {
        SearchTable& table = settings().searchTable(t);
        const SearchTable& pending = settings().pendingSearchTable(t);
        table.name = pending.name;
        table.kinds = pending.kinds;
        table.refreshBytes();
    }
    settings().setNumber("Run.SearchTablesPending", 0);
    return 0;
}

void registerSchApi()
{
    MOBR_HOST_IMPLEMENT(aatSchGetPointType);
    MOBR_HOST_IMPLEMENT(aatSchSetPointType);
    MOBR_HOST_IMPLEMENT(aatSchGetTableMax);
    MOBR_HOST_IMPLEMENT(aatSchSetTableMax);
    MOBR_HOST_IMPLEMENT(aatSchSetPLank);
    MOBR_HOST_IMPLEMENT(aasSchBaseTableInit);
    MOBR_HOST_IMPLEMENT(aasSchTableSet);
    MOBR_HOST_IMPLEMENT(aasSchTableCreate);
}

}  // namespace mobrhost
