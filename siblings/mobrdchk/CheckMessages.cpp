#include "mobrdchk/CheckMessages.h"

#include <mutex>

#include "mobrdlg/ZqResources.h"

namespace dchkmsg {
namespace {

struct OwnText {
    int id;
    const char* text;  // ASCII, hence valid host code page as well
};

// English texts; a resource file may replace any of them by id.
constexpr OwnText kOwnTexts[] = {
    {NotNumber, "Enter a number."},
    {TooManyDecimals, "Enter a number with at most %s decimal places."},
    {NotWhole, "Enter a whole number."},
    {TooManyDigits, "Enter a whole number of at most %s digits."},
    {OutOfRange, "Enter a value from %s."},
    {RangeEnds, "%s to %s"},
    {TooLarge, "The number is too large."},
};

const char* ownText(int id) {
    for (const OwnText& t : kOwnTexts)
        if (t.id == id) return t.text;
    return nullptr;
}

}  // namespace

void registerBuiltins() {
    static std::once_flag once;
    std::call_once(once, [] {
        // The dialog library's built-in table is what its message box looks
        // in when no resource file has the id.
        // (Registration hook is added once the dialog library offers it.)
    });
}

std::string text(int id) {
    registerBuiltins();
    std::string loaded;
    if (ZqLoadString(id, loaded)) return loaded;
    const char* own = ownText(id);
    return own ? std::string(own) : std::string();
}

std::string expand(const std::string& pattern, const std::string& argument) {
    const std::size_t at = pattern.find("%s");
    if (at == std::string::npos) return pattern;
    std::string out = pattern;
    out.replace(at, 2, argument);
    return out;
}

}  // namespace dchkmsg
