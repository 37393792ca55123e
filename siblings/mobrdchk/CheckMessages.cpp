#include "mobrdchk/CheckMessages.h"

#include <iterator>
#include <mutex>

#include "mobrdlg/ZqResources.h"

namespace dchkmsg {
namespace {

// English texts (ASCII, hence valid host code page as well) and their
// Japanese twins; a resource file may replace any of them by id.
constexpr int kEnglish = 1033;
constexpr int kJapanese = 1041;
const ZqBuiltinString kOwnTexts[] = {
    {NotNumber, "Enter a number."},
    {TooManyDecimals, "Enter a number with at most %s decimal places."},
    {NotWhole, "Enter a whole number."},
    {TooManyDigits, "Enter a whole number of at most %s digits."},
    {OutOfRange, "Enter a value from %s."},
    {RangeEnds, "%s to %s"},
    {TooLarge, "The number is too large."},
    {NotNumber, "数値を入力してください。", kJapanese},
    {TooManyDecimals, "小数点以下 %s 桁までの数値を入力してください。", kJapanese},
    {NotWhole, "整数を入力してください。", kJapanese},
    {TooManyDigits, "%s 桁までの整数を入力してください。", kJapanese},
    {OutOfRange, "%s までの値を入力してください。", kJapanese},
    {RangeEnds, "%s から %s", kJapanese},
    {TooLarge, "数値が大きすぎます。", kJapanese},
};

const char* ownText(int id) {
    for (const ZqBuiltinString& t : kOwnTexts)
        if (t.id == id && t.language == kEnglish) return t.text;
    return nullptr;
}

}  // namespace

void registerBuiltins() {
    static std::once_flag once;
    std::call_once(once, [] {
        // The dialog library's built-in table is what its message box looks
        // in when no resource file has the id.
        ZqAddBuiltinStrings(kOwnTexts, static_cast<int>(std::size(kOwnTexts)));
    });
}

namespace {
// The texts are in the table as soon as the library is loaded.
[[maybe_unused]] const bool kRegistered = (registerBuiltins(), true);
}  // namespace

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
