// Common helpers: the user numeric parameter table, reference parameters,
// joining paths and rounding numbers for display.

#include <cmath>
#include <cstring>

#include "api/Families.h"
#include "api/HostRuntime.h"
#include "api/SettingsAccess.h"
#include "platform/CodePage.h"

namespace mobrhost {

namespace {

RefParameter* findRef(const char* name)
{
    if (!name) return nullptr;
    for (RefParameter& r : settings().refParameters()) {
        if (r.name == name) return &r;
    }
    return nullptr;
}

}  // namespace

int32_t aatComNumUsInfo(int32_t mode, void* table)
{
    auto& own = settings().comNumUser();
    if (!table) return -1;
    if (mode == kRead) std::memcpy(table, own.data(), own.size());
    else if (mode == kWrite) std::memcpy(own.data(), table, own.size());
    else return -1;
    return 0;
}

int32_t aatComNumRefNum() { return static_cast<int32_t>(settings().refParameters().size()); }

int32_t aatComNumRefPara(int32_t index, char* name)
{
    const auto& refs = settings().refParameters();
    if (!name || index < 0 || index >= static_cast<int32_t>(refs.size())) return -1;
    mobr::cp932::copyToBuffer(refs[static_cast<std::size_t>(index)].name, name, mobr::kHostComNumNameBytes);
    return 0;
}

int32_t aatComNumRefVal(const char* name, double* value)
{
    const RefParameter* r = findRef(name);
    if (!r || !value) return -1;
    *value = r->value;
    return 0;
}

int32_t aatComNumSetPara(const char* name, double value)
{
    RefParameter* r = findRef(name);
    if (!r || !std::isfinite(value)) return -1;
    r->value = value;
    return 0;
}

int32_t aatComNumGetParaCation(const char* name, char* caption, int32_t size)
{
    const RefParameter* r = findRef(name);
    if (!r || !caption || size <= 0) return -1;
    mobr::cp932::copyToBuffer(r->caption, caption, static_cast<std::size_t>(size));
    return 0;
}

int32_t aatComPathJoint(char* out, const char* drive, const char* dir, const char* file)
{
    if (!out) return -1;
    std::string path = drive ? drive : "";
    if (dir) path += dir;
    // A separator goes between folder and file unless the folder ends with
    // one ('/' or a single-byte '\\', never a trail byte that looks like it).
    const bool endsWithSeparator =
        path.empty() || path.back() == '/' || mobr::cp932::findLastChar(path, '\\') == path.size() - 1;
    if (!endsWithSeparator && file && *file) path += '/';
    if (file) path += file;
    path = mobr::cp932::toNativePath(path);
    if (path.size() >= mobr::kHostPathBytes) {
        out[0] = '\0';
        return -1;   // never cut a path: a cut path names another file
    }
    std::memcpy(out, path.c_str(), path.size() + 1);
    return 0;
}

double aapLComDoubleRevise(double value)
{
    // Numbers are shown with at most six decimals: a value is rounded there,
    // which also removes the binary noise of sums such as 0.1 + 0.2.
    if (!std::isfinite(value) || std::fabs(value) >= 1e9) return value;
    const double rounded = std::round(value * 1e6) / 1e6;
    return rounded == 0 ? 0.0 : rounded;
}

void registerComApi()
{
    MOBR_HOST_IMPLEMENT(aatComNumUsInfo);
    MOBR_HOST_IMPLEMENT(aatComNumRefNum);
    MOBR_HOST_IMPLEMENT(aatComNumRefPara);
    MOBR_HOST_IMPLEMENT(aatComNumRefVal);
    MOBR_HOST_IMPLEMENT(aatComNumSetPara);
    MOBR_HOST_IMPLEMENT(aatComNumGetParaCation);
    MOBR_HOST_IMPLEMENT(aatComPathJoint);
    MOBR_HOST_IMPLEMENT(aapLComDoubleRevise);
}

}  // namespace mobrhost
