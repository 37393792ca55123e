// Checks the code page 932 helpers on arbitrary bytes: cuts stay prefixes on
// character boundaries, the case-insensitive compare is consistent, the round
// trips through QString and UTF-8 are exact, and path splits add up.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/CodePage.h"

namespace cp = mobr::cp932;

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Cuts: a prefix that ends on a character boundary and never ends with a
    // lead byte cut off from its trail byte.
    for (std::size_t n = 0; n <= bytes.size() && n < 64; ++n) {
        const std::size_t len = cp::cutLength(bytes, n);
        check(len <= n && len <= bytes.size(), "cut within limit");
        std::size_t pos = 0;
        while (pos < len)
            pos += cp::charLength(bytes, pos);
        check(pos == len, "cut on a boundary");
        if (len < bytes.size())
            check(len == 0 || !cp::endsWithBrokenChar(bytes.substr(0, len))
                      || cp::charLength(bytes, len - 1) == 1, "no split character");
        char buffer[64];
        const std::size_t copied = cp::copyToBuffer(bytes, buffer, n < sizeof buffer ? n : sizeof buffer);
        check(n == 0 || buffer[copied] == '\0', "buffer terminated");
    }

    // Compare: reflexive, antisymmetric, and the same as comparing the folds.
    const std::string a = bytes.substr(0, bytes.size() / 2);
    const std::string b = bytes.substr(bytes.size() / 2);
    check(cp::equalNoCase(a, a), "reflexive");
    check(sign(cp::compareNoCase(a, b)) == -sign(cp::compareNoCase(b, a)), "antisymmetric");
    check(cp::equalNoCase(a, b) == (cp::foldCase(a) == cp::foldCase(b)), "fold decides");
    check(cp::foldCase(bytes).size() == bytes.size(), "fold keeps length");
    check(cp::equalNoCase(cp::foldCase(bytes), bytes), "fold is equal");

    // Round trips.
    check(cp::fromQString(cp::toQString(bytes)) == bytes, "QString round trip");
    check(cp::fromUtf8(cp::toUtf8(bytes)) == bytes, "UTF-8 round trip");
    const std::string encoded = cp::fromUtf8(bytes);  // bytes read as UTF-8
    check(cp::fromQString(cp::toQString(encoded)) == encoded, "encoded round trip");

    // Path split: the parts add up; the folder ends at a separator.
    const cp::PathParts parts = cp::splitPath(bytes);
    check(parts.folder + parts.stem + parts.extension == bytes, "parts add up");
    check(parts.folder.empty() || parts.folder.back() == '/' || parts.folder.back() == '\\', "folder end");
    check(cp::findChar(parts.fileName(), '/') == std::string::npos
              && cp::findChar(parts.fileName(), '\\') == std::string::npos, "no separator in name");
    const std::string native = cp::toNativePath(bytes);
    check(cp::findChar(native, '\\') == std::string::npos, "no backslash left");
    return 0;
}
