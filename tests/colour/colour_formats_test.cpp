// The copy texts and the contrast ratio, against values other tools agree on.
#include "colour/colour_formats.h"
#include "colour/contrast.h"

#include <gtest/gtest.h>

#include <string>

namespace {

ColorValue Rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

} // namespace

// Each format of each colour, from a table written with another
// implementation (Python's colorsys.rgb_to_hls, rounded half up as CSS
// does): every sextant of the hue circle with its two smaller channels
// unequal, the six boundaries between sextants, greys, and a hue just
// under a full turn (written as 0).
TEST(FormatColour, EveryFormatOfEverySextantMatchesAnIndependentTable)
{
    struct Case {
        ColorValue color;
        const char* texts; // web | rgb | hsl | numeric
    };
    const Case cases[] = {
        {Rgb(255, 0, 0), "#FF0000 | rgb(255, 0, 0) | hsl(0, 100%, 50%) | 255"},
        {Rgb(255, 128, 0), "#FF8000 | rgb(255, 128, 0) | hsl(30, 100%, 50%) | 33023"},
        {Rgb(200, 150, 50), "#C89632 | rgb(200, 150, 50) | hsl(40, 60%, 49%) | 3315400"},
        {Rgb(255, 255, 0), "#FFFF00 | rgb(255, 255, 0) | hsl(60, 100%, 50%) | 65535"},
        {Rgb(100, 100, 20), "#646414 | rgb(100, 100, 20) | hsl(60, 67%, 24%) | 1336420"},
        {Rgb(128, 255, 0), "#80FF00 | rgb(128, 255, 0) | hsl(90, 100%, 50%) | 65408"},
        {Rgb(150, 200, 50), "#96C832 | rgb(150, 200, 50) | hsl(80, 60%, 49%) | 3328150"},
        {Rgb(0, 255, 0), "#00FF00 | rgb(0, 255, 0) | hsl(120, 100%, 50%) | 65280"},
        {Rgb(0, 255, 128), "#00FF80 | rgb(0, 255, 128) | hsl(150, 100%, 50%) | 8453888"},
        {Rgb(50, 200, 150), "#32C896 | rgb(50, 200, 150) | hsl(160, 60%, 49%) | 9881650"},
        {Rgb(0, 255, 255), "#00FFFF | rgb(0, 255, 255) | hsl(180, 100%, 50%) | 16776960"},
        {Rgb(0, 128, 255), "#0080FF | rgb(0, 128, 255) | hsl(210, 100%, 50%) | 16744448"},
        {Rgb(50, 150, 200), "#3296C8 | rgb(50, 150, 200) | hsl(200, 60%, 49%) | 13145650"},
        {Rgb(0, 0, 255), "#0000FF | rgb(0, 0, 255) | hsl(240, 100%, 50%) | 16711680"},
        {Rgb(128, 0, 255), "#8000FF | rgb(128, 0, 255) | hsl(270, 100%, 50%) | 16711808"},
        {Rgb(150, 50, 200), "#9632C8 | rgb(150, 50, 200) | hsl(280, 60%, 49%) | 13120150"},
        {Rgb(255, 0, 255), "#FF00FF | rgb(255, 0, 255) | hsl(300, 100%, 50%) | 16711935"},
        {Rgb(255, 0, 128), "#FF0080 | rgb(255, 0, 128) | hsl(330, 100%, 50%) | 8388863"},
        {Rgb(200, 50, 150), "#C83296 | rgb(200, 50, 150) | hsl(320, 60%, 49%) | 9843400"},
        {Rgb(1, 2, 3), "#010203 | rgb(1, 2, 3) | hsl(210, 50%, 1%) | 197121"},
        {Rgb(254, 253, 1), "#FEFD01 | rgb(254, 253, 1) | hsl(60, 99%, 50%) | 130558"},
        {Rgb(255, 0, 1), "#FF0001 | rgb(255, 0, 1) | hsl(0, 100%, 50%) | 65791"},
        {Rgb(250, 128, 114), "#FA8072 | rgb(250, 128, 114) | hsl(6, 93%, 71%) | 7504122"},
        {Rgb(0, 0, 0), "#000000 | rgb(0, 0, 0) | hsl(0, 0%, 0%) | 0"},
        {Rgb(255, 255, 255), "#FFFFFF | rgb(255, 255, 255) | hsl(0, 0%, 100%) | 16777215"},
        {Rgb(119, 119, 119), "#777777 | rgb(119, 119, 119) | hsl(0, 0%, 47%) | 7829367"},
        {Rgb(18, 52, 86), "#123456 | rgb(18, 52, 86) | hsl(210, 65%, 20%) | 5649426"},
        {Rgb(51, 102, 153), "#336699 | rgb(51, 102, 153) | hsl(210, 50%, 40%) | 10053171"},
        {Rgb(128, 0, 128), "#800080 | rgb(128, 0, 128) | hsl(300, 100%, 25%) | 8388736"},
    };
    for (const Case& c : cases) {
        const std::string web = FormatColour(c.color, ColourFormat::Web);
        std::string texts = web;
        for (const ColourFormat format : {ColourFormat::CssRgb, ColourFormat::CssHsl, ColourFormat::Numeric}) {
            texts += " | ";
            texts += FormatColour(c.color, format);
        }
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(FormatColour(c.color, ColourFormat::Hex), web.substr(1));
    }
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
    EXPECT_EQ(ContrastText(4.5), "4.5:1 AA"); // from 4.5 and 7 on, not above them
    EXPECT_EQ(ContrastText(4.6), "4.6:1 AA");
    EXPECT_EQ(ContrastText(7.0), "7:1 AAA");
    EXPECT_EQ(ContrastText(1.0), "1:1");
    // Just under a threshold the figure never reads as the threshold.
    EXPECT_EQ(ContrastText(4.497), "4.49:1");
    EXPECT_EQ(ContrastText(6.999), "6.99:1 AA");
}
