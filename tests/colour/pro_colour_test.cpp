// The further colour texts, the nearest CSS name, the sample square's
// reduction, the history and the palette files. Reference OKLCH values are
// CSS Color 4's published ones (red, lime, blue, rebeccapurple) and a second
// computation through Ottosson's direct sRGB-to-LMS matrices; the names were
// checked against ImageMagick's colour table.
#include "colour/colour_history.h"
#include "colour/css_names.h"
#include "colour/more_formats.h"
#include "colour/sample_square.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
ColorValue Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
} // namespace

TEST(MoreFormats, TableOfReferenceValues)
{
    struct Row {
        ColorValue colour;
        const char *hsv, *oklch, *colorref, *floats;
    };
    const Row rows[] = {
        {Rgb(255, 128, 0), "hsv(30, 100%, 100%)", "oklch(73.2% 0.186 53.0)", "0x000080FF", "1.000, 0.502, 0.000"},
        {Rgb(255, 0, 0), "hsv(0, 100%, 100%)", "oklch(62.8% 0.258 29.2)", "0x000000FF", "1.000, 0.000, 0.000"},
        {Rgb(0, 255, 0), "hsv(120, 100%, 100%)", "oklch(86.6% 0.295 142.5)", "0x0000FF00", "0.000, 1.000, 0.000"},
        {Rgb(0, 0, 255), "hsv(240, 100%, 100%)", "oklch(45.2% 0.313 264.1)", "0x00FF0000", "0.000, 0.000, 1.000"},
        {Rgb(102, 51, 153), "hsv(270, 67%, 60%)", "oklch(44.0% 0.160 303.4)", "0x00993366", "0.400, 0.200, 0.600"},
        {Rgb(255, 255, 255), "hsv(0, 0%, 100%)", "oklch(100.0% 0.000 0.0)", "0x00FFFFFF", "1.000, 1.000, 1.000"},
        {Rgb(0, 0, 0), "hsv(0, 0%, 0%)", "oklch(0.0% 0.000 0.0)", "0x00000000", "0.000, 0.000, 0.000"},
        {Rgb(128, 128, 128), "hsv(0, 0%, 50%)", "oklch(60.0% 0.000 0.0)", "0x00808080", "0.502, 0.502, 0.502"},
        {Rgb(0x12, 0x34, 0x56), "hsv(210, 79%, 34%)", "oklch(31.9% 0.072 251.2)", "0x00563412", "0.071, 0.204, 0.337"},
        {Rgb(1, 2, 3), "hsv(210, 67%, 1%)", "oklch(8.2% 0.008 240.8)", "0x00030201", "0.004, 0.008, 0.012"},
        {Rgb(255, 0, 1), "hsv(0, 100%, 100%)", "oklch(62.8% 0.258 29.2)", "0x000100FF", "1.000, 0.000, 0.004"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FormatMore(row.colour, MoreFormat::Hsv), row.hsv);
        EXPECT_EQ(FormatMore(row.colour, MoreFormat::OkLch), row.oklch);
        EXPECT_EQ(FormatMore(row.colour, MoreFormat::ColorRef), row.colorref);
        EXPECT_EQ(FormatMore(row.colour, MoreFormat::Floats), row.floats);
    }
}

TEST(CssNames, ExactPlainNearestByOkLabTiesAlphabetical)
{
    struct Row {
        ColorValue colour;
        const char* name;
        bool exact;
    };
    const Row rows[] = {
        {Rgb(0xFF, 0xA5, 0x00), "orange", true},        {Rgb(0xFF, 0x80, 0x00), "darkorange", false},
        {Rgb(0x00, 0xFF, 0xFF), "aqua", true},          {Rgb(0xFF, 0x00, 0xFF), "fuchsia", true},
        {Rgb(0x80, 0x80, 0x80), "gray", true},          {Rgb(0xA9, 0xA9, 0xA9), "darkgray", true},
        {Rgb(0x66, 0x33, 0x99), "rebeccapurple", true}, {Rgb(0x12, 0x34, 0x56), "midnightblue", false},
        {Rgb(0xC0, 0xFF, 0xEE), "lightcyan", false},    {Rgb(0x8E, 0x8E, 0x8E), "lightslategray", false},
        {Rgb(0xFE, 0x00, 0x00), "red", false},          {Rgb(1, 2, 3), "black", false},
    };
    for (const Row& row : rows) {
        const CssName found = NearestCssName(row.colour);
        EXPECT_EQ(found.name, row.name);
        EXPECT_EQ(found.exact, row.exact) << row.name;
    }
}

TEST(SampleSquare, CheckerboardsMeansAndMostCommon)
{
    // Single-pixel black and white squares, white under the centre.
    const auto board = [](int side) {
        std::vector<ColorValue> pixels;
        for (int i = 0; i < side * side; ++i)
            pixels.push_back(((i % side) + (i / side)) % 2 == (side / 2 * 2) % 2 ? 0xFFFFFF : 0);
        return pixels;
    };
    EXPECT_EQ(ReduceSquare(board(3), 3, SquareReduction::Mean), Rgb(0x8E, 0x8E, 0x8E));
    EXPECT_EQ(ReduceSquare(board(5), 5, SquareReduction::Mean), Rgb(0x85, 0x85, 0x85));
    EXPECT_EQ(ReduceSquare(board(9), 9, SquareReduction::Mean), Rgb(0x81, 0x81, 0x81));
    EXPECT_EQ(ReduceSquare(board(3), 3, SquareReduction::MostCommon), 0xFFFFFF);

    // Unreadable pixels are left out; none readable is -1. Halves round up: (1 + 2) / 2.
    EXPECT_EQ(ReduceSquare(std::vector<ColorValue>{-1, 1, -1, 2, -1, -1, -1, -1, -1}, 3, SquareReduction::Mean), 2);
    EXPECT_EQ(ReduceSquare(std::vector<ColorValue>(9, -1), 3, SquareReduction::Mean), -1);
    EXPECT_EQ(ReduceSquare(std::vector<ColorValue>(9, -1), 3, SquareReduction::MostCommon), -1);
    // A tie of counts goes to the colour nearest the centre: 7 is at distance 1, 5 only at the corners.
    EXPECT_EQ(ReduceSquare(std::vector<ColorValue>{5, 1, 5, 7, -1, 7, 2, 3, 4}, 3, SquareReduction::MostCommon), 7);
    EXPECT_EQ(ReduceSquare(std::vector<ColorValue>{5, 5, 5, 7, 7, 9, 9, 9, 9}, 3, SquareReduction::MostCommon), 9);
}

TEST(History, NewestFirstOnceEachSixteenAtMostAndTheFileForm)
{
    ColourHistory history;
    EXPECT_FALSE(history.Add(-1));
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(history.Add(i));
    ASSERT_EQ(history.Colours().size(), 16u);
    EXPECT_EQ(history.Colours().front(), 19);
    EXPECT_EQ(history.Colours().back(), 4);
    EXPECT_TRUE(history.Add(10)); // moves to the front, not twice
    EXPECT_FALSE(history.Add(10));
    EXPECT_EQ(history.Colours().size(), 16u);
    EXPECT_EQ(history.Colours()[0], 10);
    EXPECT_EQ(history.Colours()[1], 19);

    // Bad lines skipped, a repeat read once, CRLF and a BOM taken, at most 16.
    std::string text = "\xEF\xBB\xBF#FF8000\r\n#ff8000\nFF8000\n#FF80001\n # 123456\n#GG0000\n\n#0000FF";
    for (int i = 0; i < 30; ++i)
        text += "\n#0000" + std::string(i < 10 ? "0" : "") + std::to_string(i);
    const ColourHistory read = ColourHistory::Parse(text);
    ASSERT_EQ(read.Colours().size(), 16u);
    EXPECT_EQ(read.Colours()[0], Rgb(255, 128, 0));
    EXPECT_EQ(read.Colours()[1], Rgb(0, 0, 255));
    EXPECT_EQ(read.Colours()[2], 0);
    EXPECT_EQ(ColourHistory::Parse(read.Serialise()).Colours(), read.Colours());
    EXPECT_EQ(ColourHistory::Parse("").Colours().size(), 0u);
}

TEST(Palette, GimpCssAndTextFiles)
{
    const std::vector<ColorValue> colours{Rgb(255, 128, 0), Rgb(0, 0, 255), Rgb(7, 80, 200)};
    EXPECT_EQ(WritePalette(colours, PaletteFormat::Gimp), "GIMP Palette\nName: Tavolisk\nColumns: 8\n#\n"
                                                          "255 128   0\t#FF8000\n  0   0 255\t#0000FF\n"
                                                          "  7  80 200\t#0750C8\n");
    EXPECT_EQ(WritePalette(colours, PaletteFormat::CssProperties),
              ":root {\n  --tavolisk-1: #FF8000;\n  --tavolisk-2: #0000FF;\n  --tavolisk-3: #0750C8;\n}\n");
    EXPECT_EQ(WritePalette(colours, PaletteFormat::Text), "#FF8000\n#0000FF\n#0750C8\n");
}
