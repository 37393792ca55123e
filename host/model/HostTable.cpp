#include "model/HostTable.h"

#include <atomic>
#include <cstring>

#include "mobr/host_types.h"
#include "platform/CodePage.h"

namespace mobrhost {

const char* tableKindName(TableKind kind)
{
    switch (kind) {
    case TableKind::Pen: return "pen";
    case TableKind::PenColour: return "penex";
    case TableKind::Width: return "width";
    case TableKind::Colour: return "colour";
    case TableKind::Font: return "font";
    case TableKind::Tip: return "tip";
    case TableKind::CharEx: return "charex";
    case TableKind::Layer: return "layer";
    case TableKind::Index: return "index";
    }
    return "table";
}

HostTable::HostTable(TableKind kind)
{
    header_.tag = static_cast<uint32_t>(kind);
}

uint32_t HostTable::newUid()
{
    static std::atomic<uint32_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

std::string nameArg(const char* name)
{
    if (!name) return std::string();
    const std::size_t n = strnlen(name, mobr::kHostNameBytes);
    return mobr::cp932::cut(std::string_view(name, n), mobr::kHostNameBytes);
}

bool sameName(std::string_view a, std::string_view b)
{
    return mobr::cp932::equalNoCase(a, b);
}

}  // namespace mobrhost
