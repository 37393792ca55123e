#include "platform/Cp932Table.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include "platform/CodePage.h"

namespace mobr::cp932 {

namespace {

// Code points that decoding uses for bytes without a character; a decoded
// character in this range would make the round trip ambiguous.
constexpr char16_t kRawFirst = 0xF700;
constexpr char16_t kRawLast = 0xF7FF;

bool usableUnit(const QString& text)
{
    if (text.size() != 1)
        return false;
    const char16_t u = text.at(0).unicode();
    return u != 0xFFFD && !(u >= kRawFirst && u <= kRawLast) && !QChar::isSurrogate(u);
}

}  // namespace

const Cp932Table& Cp932Table::instance()
{
    static const Cp932Table table;
    return table;
}

Cp932Table::Cp932Table()
{
    single_.fill(kNone);
    pair_.fill(kNone);
    variant_.fill(0);
    canonical_.fill(kNoCode);

    QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    QStringEncoder encoder("windows-31j", QStringConverter::Flag::Stateless);
    if (!decoder.isValid() || !encoder.isValid()) {
        // Without ICU only ASCII is known; everything else stays raw bytes.
        for (int b = 0; b < 0x80; ++b) {
            single_[b] = char16_t(b);
            canonical_[b] = uint16_t(b);
        }
        return;
    }

    // ICU's table swaps a few ASCII control codes (0x1A, 0x1C, 0x7F) the way
    // some host code pages do; the system's table maps all of 0x00-0x7F to
    // themselves.
    for (int b = 0; b < 0x80; ++b) {
        single_[b] = char16_t(b);
        canonical_[b] = uint16_t(b);
    }
    for (int b = 0xA1; b <= 0xDF; ++b) {
        const char byte = char(b);
        const QString text = decoder.decode(QByteArrayView(&byte, 1));
        if (usableUnit(text)) {
            single_[b] = text.at(0).unicode();
            canonical_[single_[b]] = uint16_t(b);
        }
    }

    // Double-byte codes: first every code that encodes back to itself, then
    // the duplicates, numbered in code order per character.
    struct Duplicate {
        uint16_t code;
        char16_t unit;
    };
    std::vector<Duplicate> duplicates;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!isTrailByte(static_cast<unsigned char>(trail)))
                continue;
            const char bytes[2] = {char(lead), char(trail)};
            const QString text = decoder.decode(QByteArrayView(bytes, 2));
            if (!usableUnit(text))
                continue;
            const char16_t unit = text.at(0).unicode();
            const uint16_t code = uint16_t(lead << 8 | trail);
            pair_[(lead - 0x80) * 256 + trail] = unit;
            const QByteArray back = encoder.encode(text);
            if (back == QByteArray(bytes, 2) && canonical_[unit] == kNoCode)
                canonical_[unit] = code;
            else
                duplicates.push_back({code, unit});
        }
    }
    std::unordered_map<char16_t, uint8_t> counts;
    for (const Duplicate& d : duplicates) {
        const std::size_t index = (d.code >> 8) - 0x80;
        if (canonical_[d.unit] == kNoCode) {
            canonical_[d.unit] = d.code;
            continue;
        }
        const uint8_t variant = ++counts[d.unit];
        if (variant > 16) {
            // No variation selector left: show the bytes raw instead.
            pair_[index * 256 + (d.code & 0xFF)] = kNone;
            continue;
        }
        variant_[index * 256 + (d.code & 0xFF)] = variant;
        variants_[uint32_t(d.unit) << 8 | variant] = d.code;
    }
}

char16_t Cp932Table::pair(unsigned char lead, unsigned char trail, int& variant) const
{
    const std::size_t index = std::size_t(lead - 0x80) * 256 + trail;
    if (lead < 0x80) {
        variant = 0;
        return kNone;
    }
    variant = variant_[index];
    return pair_[index];
}

uint16_t Cp932Table::encode(char16_t unit, int variant) const
{
    if (variant == 0)
        return canonical_[unit];
    const auto it = variants_.find(uint32_t(unit) << 8 | uint32_t(variant));
    return it == variants_.end() ? kNoCode : it->second;
}

}  // namespace mobr::cp932
