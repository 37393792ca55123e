#pragma once

// A whole figure as JSON (docs/figure-json.md): tables, blocks, figure-wide
// values, sketch references and elements. Texts are UTF-8 in JSON and host
// code page inside. Import fills defaults for what is missing and refuses
// wrong types and impossible values with a message naming the place.

#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "mobr/export.h"
#include "model/Figure.h"

namespace mobrhost {

class MOBR_API FigureJson {
public:
    // 2: attribute words with bit fields, hundredths in the character
    // block, 0-based centre-line pen, display colours as colour numbers.
    // Version 1 documents are read and converted (store/FirstLayout.h).
    static constexpr int kVersion = 2;

    static nlohmann::json toJson(const Figure& figure, bool withElements = true);
    // Null with *error when the document is refused. Without elements, an
    // "elements" member is ignored (the figure file keeps them apart).
    static std::unique_ptr<Figure> fromJson(const nlohmann::json& document, std::string* error,
                                            bool withElements = true);

    static std::string exportText(const Figure& figure);
    static std::unique_ptr<Figure> importText(std::string_view text, std::string* error);

    // Checks that the references of every element name pens and colours the
    // figure has and that owners exist; the first problem in *error.
    static bool checkElements(const Figure& figure, std::string* error);
    // The rules of one live element record (empty when it keeps them): pen,
    // colour, layer, tips, font, finite geometry, terminated text, a hatch's
    // attribute word naming the element's own pen and colour, and with
    // `checkOwner` an owner that exists. checkElements applies them to every
    // live record; the host's record writes apply them too.
    static std::string recordProblem(const Figure& figure, const unsigned char* record, bool checkOwner = true);
};

}  // namespace mobrhost
