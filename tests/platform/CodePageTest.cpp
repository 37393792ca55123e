#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace cp = mobr::cp932;

namespace {

const std::string kA = "\x83\x41";          // katakana A (trail byte 'A')
const std::string kDi = "\x83\x61";         // katakana DI (trail byte 'a')
const std::string kTable = "\x95\x5C";      // a kanji whose trail byte is 0x5C
const std::string kZo = "\x83\x5D";         // a katakana whose trail byte is ']'
const std::string kHiraganaA = "\x82\xA0";  // U+3042

}  // namespace

TEST(CodePage, ClassifiesBytesAndCutsWithoutSplitting)
{
    EXPECT_TRUE(cp::isLeadByte(0x81));
    EXPECT_TRUE(cp::isLeadByte(0xFC));
    EXPECT_FALSE(cp::isLeadByte(0xA0));
    EXPECT_FALSE(cp::isLeadByte(0xB1));  // half-width katakana
    EXPECT_TRUE(cp::isTrailByte(0x5C));
    EXPECT_FALSE(cp::isTrailByte(0x7F));
    EXPECT_FALSE(cp::isTrailByte(0x3F));

    const std::string text = "ab" + kHiraganaA + kTable;  // 6 bytes
    EXPECT_EQ(cp::cut(text, 6), text);
    EXPECT_EQ(cp::cut(text, 5), "ab" + kHiraganaA);
    EXPECT_EQ(cp::cut(text, 3), "ab");
    EXPECT_EQ(cp::cut(text, 0), "");
    // A lead byte followed by a byte that cannot be a trail byte is a
    // character of its own; one left last by the cut is dropped.
    EXPECT_EQ(cp::charLength("\x81\x20", 0), 1u);
    EXPECT_EQ(cp::cut("a\x81 b", 2), "a");
    EXPECT_TRUE(cp::endsWithBrokenChar("ab\x81"));
    EXPECT_FALSE(cp::endsWithBrokenChar("a" + kTable));

    char buffer[8];
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(cp::copyToBuffer(text, buffer, 4), 2u);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(buffer[4], 'X');
    EXPECT_EQ(cp::copyToBuffer(text, buffer, 0), 0u);
}

TEST(CodePage, FindsOnlyRealSingleByteCharacters)
{
    const std::string section = "[" + kZo + "x]";
    EXPECT_EQ(cp::findChar(section, ']'), section.size() - 1);
    const std::string path = "a\\" + kTable + "\\b";
    EXPECT_EQ(cp::findLastChar(path, '\\'), 4u);
    EXPECT_EQ(cp::findChar(kTable, '\\'), std::string::npos);
}

TEST(CodePage, ComparesNamesWithoutCaseAsTheSystemDoes)
{
    EXPECT_TRUE(cp::equalNoCase("MobrStd.Ini", "MOBRSTD.INI"));
    // Trail bytes are never folded as if they were ASCII letters.
    EXPECT_FALSE(cp::equalNoCase(kA, kDi));
    EXPECT_NE(cp::compareNoCase(kA, kDi), 0);
    // Half-width and full-width letters differ; full-width letters fold.
    EXPECT_FALSE(cp::equalNoCase("A", "\x82\x60"));
    EXPECT_TRUE(cp::equalNoCase("\x82\x60\x82\x79", "\x82\x81\x82\x9A"));  // full-width AZ / az
    // Greek and Cyrillic fold with their own partners, including the
    // Cyrillic small letters on both sides of the unused 0x847F.
    EXPECT_TRUE(cp::equalNoCase("\x83\x9F\x83\xB6", "\x83\xBF\x83\xD6"));
    EXPECT_TRUE(cp::equalNoCase("\x84\x4E\x84\x4F\x84\x60", "\x84\x7E\x84\x80\x84\x91"));
    EXPECT_FALSE(cp::equalNoCase("\x84\x4F", "\x84\x7F"));
    // A kanji is not a letter: 0x955C never equals 0x957C.
    EXPECT_FALSE(cp::equalNoCase(kTable, "\x95\x7C"));

    EXPECT_LT(cp::compareNoCase("apple", "BANANA"), 0);
    EXPECT_GT(cp::compareNoCase("b", "A"), 0);
    EXPECT_EQ(cp::foldCase("AB" + kA).size(), 4u);
    EXPECT_EQ(cp::foldCase("AB" + kA), "ab" + kA);
}

TEST(CodePage, ConvertsThroughTheSystemTable)
{
    EXPECT_EQ(cp::toQString(kHiraganaA), QString(QChar(0x3042)));
    EXPECT_EQ(cp::toQString("\\~"), QStringLiteral("\\~"));  // never a yen sign or overline
    EXPECT_EQ(cp::toQString("\x81\x5F"), QString(QChar(0xFF3C)));
    EXPECT_EQ(cp::toQString("\xB1"), QString(QChar(0xFF71)));
    EXPECT_EQ(cp::toQString("\x1A\x1C\x7F"), QString::fromLatin1("\x1A\x1C\x7F"));
    EXPECT_EQ(cp::fromQString(QString(QChar(0x3042))), kHiraganaA);
    EXPECT_EQ(cp::fromQString(QString(QChar(0x20AC))), "?");  // no code for the euro sign
    EXPECT_EQ(cp::fromQString(QString::fromUtf8("\xF0\x9F\x98\x80")), "?");

    // Undecodable bytes stay visible as U+F700 + byte.
    EXPECT_EQ(cp::toQString("\x80"), QString(QChar(0xF780)));
    EXPECT_EQ(cp::toQString("a\x81"), QString::fromUtf16(u"a\uF781"));
    // Two codes of one character: the second carries a variation selector.
    EXPECT_EQ(cp::toQString("\x81\xE0"), QString(QChar(0x2252)));
    EXPECT_EQ(cp::toQString("\x87\x90"), QString::fromUtf16(u"\u2252\uFE00"));
    EXPECT_EQ(cp::fromQString(QString::fromUtf16(u"\u2252\uFE00")), "\x87\x90");

    EXPECT_EQ(cp::toUtf8(kHiraganaA + "x"), "\xE3\x81\x82x");
    EXPECT_EQ(cp::fromUtf8("\xE3\x81\x82x"), kHiraganaA + "x");
}

TEST(CodePage, RoundTripIsExactForAnyBytes)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(char(b));
    EXPECT_EQ(cp::fromQString(cp::toQString(all)), all);
    // Every double-byte code, assigned or not.
    std::string pairs;
    for (int lead = 0x81; lead <= 0xFC; ++lead)
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            pairs += std::string{char(lead), char(trail), ' '};
    EXPECT_EQ(cp::fromQString(cp::toQString(pairs)), pairs);

    std::mt19937 random(7);
    for (int i = 0; i < 200; ++i) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes)
            c = char(random());
        ASSERT_EQ(cp::fromQString(cp::toQString(bytes)), bytes);
    }
}

TEST(CodePage, SplitsPathsWithoutBeingFooledByTrailBytes)
{
    const std::string path = "C:\\data\\" + kTable + "\\" + kTable + ".ini";
    EXPECT_EQ(cp::toNativePath(path), "/data/" + kTable + "/" + kTable + ".ini");
    const cp::PathParts parts = cp::splitPath(path);
    EXPECT_EQ(parts.folder, "C:\\data\\" + kTable + "\\");
    EXPECT_EQ(parts.stem, kTable);
    EXPECT_EQ(parts.extension, ".ini");
    EXPECT_EQ(parts.fileName(), kTable + ".ini");

    const cp::PathParts bare = cp::splitPath(kTable);
    EXPECT_EQ(bare.folder, "");
    EXPECT_EQ(bare.stem, kTable);
    EXPECT_EQ(cp::splitPath("/a.b/c").extension, "");
}
