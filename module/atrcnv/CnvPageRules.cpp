#include "atrcnv/CnvPageRules.h"

#include <algorithm>
#include <limits>

#include "platform/CodePage.h"

namespace cnvrules {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// Byte positions of the separators at or after `from`, stepping over whole
// double-byte characters so that a 0x5C trail byte is never taken for one.
std::vector<std::size_t> separatorsFrom(const std::string& path, std::size_t from)
{
    std::vector<std::size_t> found;
    for (std::size_t i = from; i < path.size(); i += mobr::cp932::charLength(path, i)) {
        if (isSeparator(path[i])) found.push_back(i);
    }
    return found;
}

std::size_t rootPrefixLength(const std::string& path)
{
    const bool drive = path.size() >= 3 && path[1] == ':' && isSeparator(path[2]) &&
                       static_cast<unsigned char>(path[0]) < 0x80;
    if (drive) return 3;
    return !path.empty() && isSeparator(path[0]) ? 1 : 0;
}

bool hasExtension(const std::string& path, const char* extension)
{
    const auto parts = mobr::cp932::splitPath(path);
    return mobr::cp932::equalNoCase(parts.extension, std::string(".") + extension);
}

int styleClassBit(int plotStyle)
{
    if (plotStyle == kSolidStyle) return kAllowSolid;
    if (plotStyle == kAssistStyle) return kAllowAssist;
    return kAllowOther;
}

long squaredDistance(uint32_t a, uint32_t b)
{
    long sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const long d = long((a >> shift) & 0xFF) - long((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

}  // namespace

char historyAccelerator(int index)
{
    if (index < 9) return static_cast<char>('1' + index);
    if (index == 9) return '0';
    return static_cast<char>('A' + (index - 10));
}

std::string historyMenuLabel(int index, const std::string& path)
{
    return std::string("&") + historyAccelerator(index) + ' ' + shortenedPath(path);
}

std::string shortenedPath(const std::string& path)
{
    const std::size_t prefix = rootPrefixLength(path);
    const std::vector<std::size_t> seps = separatorsFrom(path, prefix);
    if (seps.size() < 3) return path;
    const std::size_t lastFolderStart = seps[seps.size() - 2] + 1;
    std::string shortened = path.substr(0, seps.front() + 1);  // prefix and first folder
    shortened += "...";
    shortened += path[seps.front()];  // the same separator the path uses
    shortened += path.substr(lastFolderStart);
    return shortened.size() < path.size() ? shortened : path;
}

int referenceFilterIndex(const std::string& referencePath)
{
    if (referencePath.empty() || hasExtension(referencePath, "FTD")) return 1;
    if (hasExtension(referencePath, "ZQD")) return 2;
    if (hasExtension(referencePath, "ZQS")) return 3;
    return 4;
}

bool styleAllowed(int code, int plotStyle) { return (code & styleClassBit(plotStyle)) != 0; }

int allowedStyleCode(bool penInUse, int currentPenStyle, int targetStyle, const std::vector<int>& allTargetStyles)
{
    if (penInUse) {
        if (currentPenStyle == kSolidStyle) return kAllowSolid;
        if (currentPenStyle == kAssistStyle) return kAllowAssist;
        return kAllowSolid | kAllowOther;
    }
    int solid = 0, assist = 0;
    for (int style : allTargetStyles) {
        if (style == kSolidStyle) ++solid;
        if (style == kAssistStyle) ++assist;
    }
    if (targetStyle == kSolidStyle && solid < 2) return kAllowSolid;
    if (targetStyle == kAssistStyle && assist <= 1) return kAllowAssist;
    return kAllowAll;
}

std::vector<uint32_t> swatchPalette(const std::vector<uint32_t>& current, const std::vector<uint32_t>& reference,
                                    int room)
{
    std::vector<uint32_t> palette;
    if (room < 2) return palette;
    const std::size_t currentTaken = std::min(current.size(), std::size_t(room - 1));
    for (std::size_t i = 0; i < currentTaken; ++i) palette.push_back(current[i] & 0xFFFFFF);
    const long referenceRoom = long(room) - long(palette.size()) - 1;
    const std::size_t referenceTaken = referenceRoom > 0 ? std::min(reference.size(), std::size_t(referenceRoom)) : 0;
    for (std::size_t i = 0; i < referenceTaken; ++i) {
        const uint32_t rgb = reference[i] & 0xFFFFFF;
        bool present = false;
        for (uint32_t have : palette) present = present || have == rgb;
        if (!present) palette.push_back(rgb);
    }
    return palette;
}

int nearestPaletteIndex(const std::vector<uint32_t>& palette, uint32_t colour)
{
    int best = -1;
    long bestDistance = std::numeric_limits<long>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long d = squaredDistance(palette[i], colour);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace cnvrules
