// Figure JSON import: any input is refused with a message or imported; an
// imported figure exports to a document that imports to the same figure.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/FigureJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string error;
    auto figure = mobrhost::FigureJson::importText(std::string_view(reinterpret_cast<const char*>(data), size), &error);
    if (!figure) {
        if (error.empty()) std::abort();   // a refusal always says why
        return 0;
    }
    const std::string text = mobrhost::FigureJson::exportText(*figure);
    auto again = mobrhost::FigureJson::importText(text, &error);
    if (!again || mobrhost::FigureJson::exportText(*again) != text) std::abort();
    return 0;
}
