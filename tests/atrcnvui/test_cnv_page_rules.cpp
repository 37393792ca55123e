// The conversion pages' rules that need no window: history menu labels and
// shortened paths, the reference browser's first filter, the plot styles a
// pen choice offers and the swatch palette.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "atrcnv/CnvPageRules.h"

using namespace cnvrules;

TEST(CnvPageRules, HistoryAcceleratorsRunOneToNineThenZeroThenLetters)
{
    const std::string expected = "1234567890ABCDEFGHIJ";
    for (int i = 0; i < int(expected.size()); ++i) EXPECT_EQ(historyAccelerator(i), expected[i]) << i;
    EXPECT_EQ(historyMenuLabel(9, "/a/b.fac"), "&0 /a/b.fac");
    EXPECT_EQ(historyMenuLabel(10, "/a/b.fac"), "&A /a/b.fac");
}

TEST(CnvPageRules, ShortenedPaths)
{
    struct Case {
        std::string path, shown;
    };
    const std::string sjisTrail5C = "\x95\x5C";  // a double-byte character whose trail byte is 0x5C
    const Case cases[] = {
        {"/home/defs/a.fac", "/home/defs/a.fac"},                        // two separators: in full
        {"/a/b/c/d", "/a/b/c/d"},                                        // three, but not shorter
        {"/home/user/work/defs/a.fac", "/home/.../defs/a.fac"},          // three or more: shortened
        {"C:\\data\\first\\two\\f.ftd", "C:\\data\\...\\two\\f.ftd"},      // drive prefix, backslashes
        {"/dd/x" + sjisTrail5C + "y/f.ftd", "/dd/x" + sjisTrail5C + "y/f.ftd"},  // trail byte no separator
        {"/data/xxxxxx/y" + sjisTrail5C + "z/f.ftd", "/data/.../y" + sjisTrail5C + "z/f.ftd"},
        {"relative/aaa/bbb/c/d.fac", "relative/.../c/d.fac"},
    };
    for (const Case& c : cases) EXPECT_EQ(shortenedPath(c.path), c.shown) << c.path;
}

TEST(CnvPageRules, ReferenceFilterFollowsTheExtension)
{
    EXPECT_EQ(referenceFilterIndex(""), 1);
    EXPECT_EQ(referenceFilterIndex("/a/b.FTD"), 1);
    EXPECT_EQ(referenceFilterIndex("/a/b.zqd"), 2);
    EXPECT_EQ(referenceFilterIndex("/a/b.Zqs"), 3);
    EXPECT_EQ(referenceFilterIndex("/a/b.fig"), 4);
    EXPECT_EQ(referenceFilterIndex("/a.ftd/b"), 4);
}

TEST(CnvPageRules, AllowedStyleCodes)
{
    struct Case {
        bool inUse;
        int currentStyle, targetStyle;
        std::vector<int> targets;
        int code;
    };
    const Case cases[] = {
        {false, 2, 1, {1, 2, 6, 6}, kAllowSolid},   // the only solid target keeps solid
        {false, 2, 1, {1, 1, 6}, kAllowAll},        // another solid target exists
        {false, 3, 6, {1, 6, 2}, kAllowAssist},     // the only assist-line target
        {false, 3, 6, {1, 6, 6}, kAllowAll},
        {false, 1, 2, {1, 2}, kAllowAll},
        {true, 1, 2, {1, 2}, kAllowSolid},          // in use: the pen's own class
        {true, 6, 1, {1, 6}, kAllowAssist},
        {true, 4, 1, {1, 4}, kAllowSolid | kAllowOther},
    };
    for (const Case& c : cases)
        EXPECT_EQ(allowedStyleCode(c.inUse, c.currentStyle, c.targetStyle, c.targets), c.code)
            << c.inUse << " " << c.currentStyle << " " << c.targetStyle;
    EXPECT_TRUE(styleAllowed(kAllowAll, 5));
    EXPECT_FALSE(styleAllowed(kAllowSolid, 6));
    EXPECT_TRUE(styleAllowed(kAllowSolid | kAllowOther, 3));
    EXPECT_FALSE(styleAllowed(kAllowSolid | kAllowOther, 6));
}

TEST(CnvPageRules, PaletteTakesEachReferenceColourOnceAndKeepsRoom)
{
    const std::vector<uint32_t> current = {0x0000FF, 0x00FF00};
    // The reference's red equals a current colour in red, green and blue
    // (the high byte is not part of the colour): no second entry.
    const std::vector<uint32_t> reference = {0x020000FF, 0xFF0000, 0x808080};
    EXPECT_EQ(swatchPalette(current, reference, 16), (std::vector<uint32_t>{0x0000FF, 0x00FF00, 0xFF0000, 0x808080}));
    // room - 1 entries at most: one stays free.
    EXPECT_EQ(swatchPalette(current, reference, 3), (std::vector<uint32_t>{0x0000FF, 0x00FF00}));
    EXPECT_EQ(swatchPalette({0x1, 0x2, 0x3}, reference, 2), (std::vector<uint32_t>{0x1}));
    EXPECT_TRUE(swatchPalette(current, reference, 1).empty());

    const std::vector<uint32_t> palette = {0x000000, 0xFFFFFF, 0x0000F0};
    EXPECT_EQ(nearestPaletteIndex(palette, 0x0000FF), 2);
    EXPECT_EQ(nearestPaletteIndex(palette, 0xF0F0F0), 1);
    EXPECT_EQ(nearestPaletteIndex({}, 0x0), -1);
    EXPECT_EQ(paletteIndexColour(2), 0x01000002u);
}
