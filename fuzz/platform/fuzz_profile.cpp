// Parses arbitrary bytes as a private-profile file and checks the reader and
// the writer against each other: every listed section and key reads without
// writing past exact-size buffers, parsing and writing back is byte-exact,
// and a write reads back while leaving the other keys as they were.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/CodePage.h"
#include "platform/PrivateProfile.h"
#include "platform/ProfileDocument.h"

namespace {

std::string scratchFile()
{
    static const std::string path = [] {
        char folder[] = "/dev/shm/mobrfuzzXXXXXX";
        const char* made = ::mkdtemp(folder);
        return std::string(made ? made : "/tmp") + "/fuzz.ini";
    }();
    return path;
}

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

// Reads through the API into a heap buffer of exactly `size` bytes.
std::string apiRead(const char* section, const char* key, uint32_t size, const std::string& file)
{
    std::unique_ptr<char[]> buffer(new char[size ? size : 1]);
    const uint32_t n = GetPrivateProfileStringA(section, key, "def", buffer.get(), size, file.c_str());
    if (size == 0) {
        check(n == 0, "size 0 gives 0");
        return {};
    }
    if (section && key) {
        check(n <= size - 1, "count within size - 1");
        check(buffer[n] == '\0', "terminated");
    } else {
        check(size < 2 || n <= size - 2 || buffer[n] == '\0', "list terminated");
    }
    return std::string(buffer.get(), n);
}

bool hasNul(std::string_view s)
{
    return s.find('\0') != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const uint32_t small = size ? uint32_t(data[0] % 12) : 3;

    // Parsing and writing back gives the same bytes.
    mobr::ProfileDocument doc(bytes);
    check(doc.bytes() == bytes, "byte-exact round trip");

    const std::string file = scratchFile();
    {
        std::FILE* f = std::fopen(file.c_str(), "wb");
        if (!f)
            return 0;
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // forget the cache

    apiRead(nullptr, nullptr, small, file);
    const std::vector<std::string_view> sections = doc.sectionNames();
    std::size_t checked = 0;
    for (const std::string_view sectionView : sections) {
        if (hasNul(sectionView) || ++checked > 8)
            continue;
        const std::string section(sectionView);
        apiRead(section.c_str(), nullptr, small, file);
        for (const std::string_view keyView : doc.keyNames(section)) {
            if (hasNul(keyView))
                continue;
            const std::string key(keyView);
            const std::string whole = apiRead(section.c_str(), key.c_str(), 1 << 16, file);
            const auto expected = doc.value(section, key);
            check(expected.has_value(), "listed key has a value");
            const std::string_view value = expected->substr(0, expected->find('\0'));
            const std::string_view got = std::string_view(whole).substr(0, whole.find('\0'));
            check(value.compare(0, got.size(), got) == 0, "value as parsed");
            check(expected->size() >= (1 << 16) - 1 || got.size() == value.size(), "whole value");
            const std::string cut = apiRead(section.c_str(), key.c_str(), small, file);
            check(cut.size() <= whole.size() && whole.compare(0, cut.size(), cut) == 0, "cut is a prefix");
        }
    }

    // Write a key into the first section (or a new one), read it back, and
    // check that the other keys of that section did not change.
    std::string section = sections.empty() || hasNul(sections[0]) ? "fuzz" : std::string(sections[0]);
    char key[16];
    std::snprintf(key, sizeof key, "fz%02x", small);
    std::vector<std::pair<std::string, std::string>> before;
    for (const std::string_view k : doc.keyNames(section)) {
        if (!hasNul(k) && !mobr::cp932::equalNoCase(k, key))
            before.emplace_back(std::string(k), std::string(*doc.value(section, k)));
    }
    const int written = WritePrivateProfileStringA(section.c_str(), key, "Value42", file.c_str());
    if (written) {
        check(apiRead(section.c_str(), key, 64, file) == "Value42", "write reads back");
        for (const auto& [k, v] : before) {
            std::unique_ptr<char[]> buffer(new char[v.size() + 1]);
            const uint32_t n = GetPrivateProfileStringA(section.c_str(), k.c_str(), "", buffer.get(),
                                                        uint32_t(v.size() + 1), file.c_str());
            check(std::string(buffer.get(), n).substr(0, v.find('\0')) == v.substr(0, v.find('\0')),
                  "other keys unchanged");
        }
        check(WritePrivateProfileStringA(section.c_str(), key, nullptr, file.c_str()) == 1, "delete");
        check(apiRead(section.c_str(), key, 64, file) == "def", "deleted key gives default");
    } else {
        // A refused write changes nothing.
        std::FILE* f = std::fopen(file.c_str(), "rb");
        std::string now;
        char chunk[4096];
        std::size_t n;
        while (f && (n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            now.append(chunk, n);
        if (f)
            std::fclose(f);
        check(now == bytes, "refused write leaves the file");
    }
    return 0;
}
