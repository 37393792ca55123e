// Build-time generator of the registry's perfect hash of the host function
// names: reads the MOBR_HOST_FN rows of host_api.def and writes the constants
// and tables HostNameHash.h needs (seeded multipliers, one displacement per
// bucket, the slot of every name) as a C++ include file.
//
//   GenerateHostNameHash <host_api.def> <output.inc>
//
// Search: for seed 1, 2, ... the names' keys are spread over buckets; buckets
// are placed largest first, each taking the first displacement that puts all
// its names into free slots. A seed whose keys collide, or whose bucket finds
// no displacement, is dropped for the next one. The output is deterministic.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <numeric>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../HostNameHash.h"

namespace {

using namespace hostnamehash;

struct Layout {
    uint64_t seed = 0;
    Multipliers multipliers{};
    unsigned bucketBits = 0;
    unsigned slotBits = 0;
    std::vector<uint32_t> displacement;      // per bucket
    std::vector<int> nameAtSlot;             // index into names, -1 for a free slot
};

int fail(const std::string& message)
{
    std::cerr << "GenerateHostNameHash: " << message << '\n';
    return 1;
}

bool readNames(const std::string& path, std::vector<std::string>& names, std::string& problem)
{
    std::ifstream in(path);
    if (!in) {
        problem = "cannot read " + path;
        return false;
    }
    static const std::regex row(R"(^MOBR_HOST_FN\([^,]+,\s*([A-Za-z_][A-Za-z_0-9]*)\s*,)");
    std::set<std::string> seen;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.rfind("MOBR_HOST_FN(", 0) != 0) continue;
        std::smatch match;
        if (!std::regex_search(line, match, row)) {
            problem = path + ":" + std::to_string(number) + ": cannot read the function name";
            return false;
        }
        const std::string name = match[1];
        if (name.size() < kMinNameLength || name.size() > kMaxNameLength) {
            problem = path + ":" + std::to_string(number) + ": " + name + " is not " + std::to_string(kMinNameLength) +
                      " to " + std::to_string(kMaxNameLength) + " characters long";
            return false;
        }
        if (!seen.insert(name).second) {
            problem = path + ":" + std::to_string(number) + ": " + name + " is listed twice";
            return false;
        }
        names.push_back(name);
    }
    if (names.empty()) problem = path + ": no MOBR_HOST_FN rows";
    return !names.empty();
}

unsigned bitsFor(std::size_t atLeast)
{
    unsigned bits = 1;
    while ((std::size_t{1} << bits) < atLeast) ++bits;
    return bits;
}

// One attempt with one seed; false when this seed gives no perfect layout.
bool tryLayout(const std::vector<std::string>& names, uint64_t seed, Layout& layout)
{
    layout.seed = seed;
    layout.multipliers = multipliersFor(seed);
    std::vector<uint64_t> keys;
    for (const std::string& name : names) keys.push_back(nameKey(name.data(), name.size(), layout.multipliers));

    const std::size_t buckets = std::size_t{1} << layout.bucketBits;
    const std::size_t slots = std::size_t{1} << layout.slotBits;
    std::vector<std::vector<int>> members(buckets);
    for (std::size_t i = 0; i < names.size(); ++i) members[bucketOf(keys[i], layout.bucketBits)].push_back(static_cast<int>(i));
    std::vector<std::size_t> order(buckets);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return members[a].size() > members[b].size(); });

    layout.displacement.assign(buckets, 0);
    layout.nameAtSlot.assign(slots, -1);
    for (std::size_t bucket : order) {
        if (members[bucket].empty()) break;
        bool placed = false;
        for (uint32_t d = 0; d < slots && !placed; ++d) {
            std::vector<std::size_t> taken;
            for (int i : members[bucket]) {
                const std::size_t slot = slotOf(keys[static_cast<std::size_t>(i)], layout.bucketBits, layout.slotBits, d);
                if (layout.nameAtSlot[slot] != -1 || std::find(taken.begin(), taken.end(), slot) != taken.end()) break;
                taken.push_back(slot);
            }
            if (taken.size() != members[bucket].size()) continue;
            for (std::size_t k = 0; k < taken.size(); ++k) layout.nameAtSlot[taken[k]] = members[bucket][k];
            layout.displacement[bucket] = d;
            placed = true;
        }
        if (!placed) return false;
    }
    return true;
}

std::string hex(uint64_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%016llXull", static_cast<unsigned long long>(value));
    return text;
}

template <typename T>
void writeList(std::ostream& out, const std::vector<T>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i) out << (i % 12 == 0 ? "\n    " : " ") << values[i] << ',';
    out << '\n';
}

void writeLayout(std::ostream& out, const std::vector<std::string>& names, const Layout& layout)
{
    // The names are kept in one pool; a slot's entry is (offset << 8) | length,
    // 0 for a free slot, so one load gives both.
    std::string pool;
    std::vector<uint32_t> entries(layout.nameAtSlot.size(), 0);
    for (std::size_t slot = 0; slot < entries.size(); ++slot) {
        const int index = layout.nameAtSlot[slot];
        if (index < 0) continue;
        const std::string& name = names[static_cast<std::size_t>(index)];
        entries[slot] = static_cast<uint32_t>(pool.size() << 8 | name.size());
        pool += name;
    }
    std::size_t longest = 0;
    for (const std::string& name : names) longest = std::max(longest, name.size());

    out << "// Generated from host_api.def by GenerateHostNameHash; do not edit.\n"
        << "namespace generated {\n\n"
        << "constexpr std::size_t kNameCount = " << names.size() << ";\n"
        << "constexpr std::size_t kLongestName = " << longest << ";\n"
        << "constexpr unsigned kBucketBits = " << layout.bucketBits << ";\n"
        << "constexpr unsigned kSlotBits = " << layout.slotBits << ";\n"
        << "constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;\n"
        << "// seed " << layout.seed << "\n"
        << "constexpr Multipliers kMultipliers = {{" << hex(layout.multipliers.word[0]) << ", "
        << hex(layout.multipliers.word[1]) << ", " << hex(layout.multipliers.word[2]) << ", "
        << hex(layout.multipliers.word[3]) << "}, " << hex(layout.multipliers.length) << "};\n\n"
        << "constexpr uint16_t kDisplacement[] = {";
    writeList(out, layout.displacement);
    out << "};\n\nconstexpr uint32_t kEntry[kSlots] = {";
    writeList(out, entries);
    out << "};\n\nconstexpr char kPool[] =";
    for (std::size_t at = 0; at < pool.size(); at += 96) out << "\n    \"" << pool.substr(at, 96) << '"';
    out << ";\n\n}  // namespace generated\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) return fail("usage: GenerateHostNameHash <host_api.def> <output.inc>");
    std::vector<std::string> names;
    std::string problem;
    if (!readNames(argv[1], names, problem)) return fail(problem);

    // At least two slots per name keeps the table sparse enough for a quick
    // search while it stays a few kilobytes.
    Layout layout;
    layout.slotBits = bitsFor(names.size() * 2);
    layout.bucketBits = bitsFor(names.size() / 2);
    bool found = false;
    for (uint64_t seed = 1; seed <= 100000 && !found; ++seed) found = tryLayout(names, seed, layout);
    if (!found) return fail("no perfect layout for these names (do two long names differ only in their middle?)");

    std::ostringstream text;
    writeLayout(text, names, layout);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << text.str();
    out.close();
    if (!out) return fail(std::string("cannot write ") + argv[2]);
    return 0;
}
