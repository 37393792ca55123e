#include "mobrdchk/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace numtext {

std::size_t charLength(const std::string& text, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    return (lead && i + 1 < text.size()) ? 2 : 1;
}

bool blankAt(const std::string& text, std::size_t i, std::size_t& length) {
    const char c = text[i];
    if (c == ' ' || c == '\t') {
        length = 1;
        return true;
    }
    if (static_cast<unsigned char>(c) == 0x81 && i + 1 < text.size() &&
        static_cast<unsigned char>(text[i + 1]) == 0x40) {
        length = 2;
        return true;
    }
    return false;
}

Parsed parse(const std::string& text) {
    Parsed p;
    // Cut blanks at both ends, scanning forward so that a trail byte is
    // never taken for a character of its own.
    std::size_t begin = 0, end = 0, i = 0;
    bool seenContent = false;
    while (i < text.size()) {
        std::size_t len = 0;
        if (blankAt(text, i, len)) {
            i += len;
            continue;
        }
        len = charLength(text, i);
        if (!seenContent) begin = i;
        seenContent = true;
        i += len;
        end = i;
    }
    if (!seenContent) return p;

    std::size_t k = begin;
    if (text[k] == '+' || text[k] == '-') {
        p.negative = text[k] == '-';
        ++k;
    }
    std::string digits;
    for (; k < end && text[k] >= '0' && text[k] <= '9'; ++k) {
        digits += text[k];
        ++p.intDigits;
    }
    if (k < end && text[k] == '.') {
        p.hasPoint = true;
        digits += '.';
        for (++k; k < end && text[k] >= '0' && text[k] <= '9'; ++k) {
            digits += text[k];
            ++p.decimals;
        }
    }
    if (k != end || p.intDigits + p.decimals == 0) return p;
    p.number = (p.negative ? "-" : "") + digits;
    p.ok = true;
    return p;
}

std::string significant(double value, int digits) {
    if (!std::isfinite(value)) return std::string();
    if (digits < 1) digits = 1;
    if (digits > 17) digits = 17;
    if (value == 0.0) return "0";

    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    std::string sci(buf, res.ptr);
    // sci is "[-]d[.ddd]e[+-]XX"
    const bool negative = sci[0] == '-';
    if (negative) sci.erase(0, 1);
    const std::size_t e = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + e + 1);
    std::string mantissa;
    for (std::size_t k = 0; k < e; ++k)
        if (sci[k] != '.') mantissa += sci[k];
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

    std::string out;
    if (exponent > 30 || exponent < -30) {
        out = mantissa.substr(0, 1);
        if (mantissa.size() > 1) out += "." + mantissa.substr(1);
        out += "e" + std::to_string(exponent);
    } else if (exponent >= 0) {
        const std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
        if (mantissa.size() <= intLen) {
            out = mantissa + std::string(intLen - mantissa.size(), '0');
        } else {
            out = mantissa.substr(0, intLen) + "." + mantissa.substr(intLen);
        }
    } else {
        out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    }
    return negative ? "-" + out : out;
}

std::string fixed(double value, int decimals) {
    if (!std::isfinite(value)) return std::string();
    if (decimals < 0) decimals = 0;
    if (decimals > 17) decimals = 17;
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return std::string();
    std::string out(buf, res.ptr);
    // "-0.00" is shown as "0.00".
    if (out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos) out.erase(0, 1);
    return out;
}

}  // namespace numtext
