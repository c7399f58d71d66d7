// The copy texts and the contrast ratio, against values other tools agree on.
#include "colour/colour_formats.h"
#include "colour/contrast.h"

#include <gtest/gtest.h>

namespace {

ColorValue Rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

} // namespace

TEST(FormatColour, WritesEveryFormatOfOneColour)
{
    const ColorValue orange = Rgb(255, 128, 0);
    EXPECT_EQ(FormatColour(orange, ColourFormat::Web), "#FF8000");
    EXPECT_EQ(FormatColour(orange, ColourFormat::Hex), "FF8000");
    EXPECT_EQ(FormatColour(orange, ColourFormat::CssRgb), "rgb(255, 128, 0)");
    EXPECT_EQ(FormatColour(orange, ColourFormat::CssHsl), "hsl(30, 100%, 50%)");
    EXPECT_EQ(FormatColour(orange, ColourFormat::Numeric), "33023");
}

TEST(FormatColour, HslRoundsAsCssDoes)
{
    struct Case {
        ColorValue color;
        const char* hsl;
    };
    const Case cases[] = {
        {Rgb(0, 0, 0), "hsl(0, 0%, 0%)"},
        {Rgb(255, 255, 255), "hsl(0, 0%, 100%)"},
        {Rgb(119, 119, 119), "hsl(0, 0%, 47%)"},
        {Rgb(255, 0, 0), "hsl(0, 100%, 50%)"},
        {Rgb(0, 255, 0), "hsl(120, 100%, 50%)"},
        {Rgb(0, 0, 255), "hsl(240, 100%, 50%)"},
        {Rgb(0x12, 0x34, 0x56), "hsl(210, 65%, 20%)"},
        {Rgb(0x33, 0x66, 0x99), "hsl(210, 50%, 40%)"},
        {Rgb(0xFF, 0x00, 0x01), "hsl(0, 100%, 50%)"}, // 359.76 degrees is a full turn
        {Rgb(0xFA, 0x80, 0x72), "hsl(6, 93%, 71%)"},  // salmon
        {Rgb(0x80, 0x00, 0x80), "hsl(300, 100%, 25%)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatColour(c.color, ColourFormat::CssHsl), c.hsl) << FormatColour(c.color, ColourFormat::Web);
}

TEST(ContrastRatio, MatchesKnownPairsAndMarks)
{
    const ColorValue white = Rgb(255, 255, 255);
    EXPECT_DOUBLE_EQ(ContrastRatio(0, white), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(white, 0), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(12, 200, 99), Rgb(12, 200, 99)), 1.0);
    EXPECT_NEAR(ContrastRatio(Rgb(0x77, 0x77, 0x77), white), 4.48, 0.005);
    EXPECT_NEAR(ContrastRatio(Rgb(0x76, 0x76, 0x76), white), 4.54, 0.005);
    EXPECT_NEAR(ContrastRatio(Rgb(0, 0, 255), white), 8.59, 0.005);

    EXPECT_EQ(ContrastText(ContrastRatio(0, white)), "21:1 AAA");
    EXPECT_EQ(ContrastText(ContrastRatio(Rgb(0x77, 0x77, 0x77), white)), "4.48:1");
    EXPECT_EQ(ContrastText(ContrastRatio(Rgb(0x76, 0x76, 0x76), white)), "4.54:1 AA");
    EXPECT_EQ(ContrastText(4.6), "4.6:1 AA");
    EXPECT_EQ(ContrastText(7.0), "7:1 AAA");
    EXPECT_EQ(ContrastText(1.0), "1:1");
    // Just under a threshold the figure never reads as the threshold.
    EXPECT_EQ(ContrastText(4.497), "4.49:1");
    EXPECT_EQ(ContrastText(6.999), "6.99:1 AA");
}
