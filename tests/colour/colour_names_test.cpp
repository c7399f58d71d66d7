// Colour names against a table named by hand, in both languages.
#include "colour/colour_names.h"

#include <gtest/gtest.h>

namespace {

struct Named {
    ColorValue rgb; // written 0xRRGGBB, as people read colours
    const char* english;
    const char* italian;
};

ColorValue FromWeb(ColorValue rgb)
{
    return RGBToColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

const Named kTable[] = {
    // The examples every user meets first.
    {0xFF0000, "red", "rosso"}, {0xFF8000, "orange", "arancione"},
    {0xFFFF00, "yellow", "giallo"}, {0x00FF00, "green", "verde"},
    {0x0000FF, "blue", "blu"}, {0x800080, "purple", "viola"},
    {0xFFC0CB, "pink", "rosa"}, {0x8B4513, "brown", "marrone"},
    {0x808080, "grey", "grigio"}, {0x000000, "black", "nero"},
    {0xFFFFFF, "white", "bianco"}, {0x000080, "dark blue", "blu scuro"},
    {0xADD8E6, "light blue", "azzurro"},
    // The greys, also with a trace of colour.
    {0x101010, "black", "nero"}, {0x404040, "dark grey", "grigio scuro"},
    {0xC0C0C0, "light grey", "grigio chiaro"}, {0xF5F5F5, "white", "bianco"},
    {0x7F8C8D, "grey", "grigio"}, {0xD3D3D3, "light grey", "grigio chiaro"},
    // Hues at full strength.
    {0x00FFFF, "turquoise", "turchese"}, {0x40E0D0, "turquoise", "turchese"},
    {0xFF00FF, "magenta", "magenta"}, {0x8000FF, "purple", "viola"},
    {0xFF1493, "pink", "rosa"}, {0x7FFF00, "green", "verde"},
    {0x1E90FF, "blue", "blu"}, {0xFFD700, "yellow", "giallo"},
    // Dark and light.
    {0x8B0000, "dark red", "rosso scuro"}, {0x006400, "dark green", "verde scuro"},
    {0x90EE90, "light green", "verde chiaro"}, {0xFFFFE0, "light yellow", "giallo chiaro"},
    {0xFFC080, "light orange", "arancione chiaro"}, {0x87CEEB, "light blue", "azzurro"},
    {0xE6B3FF, "lilac", "lilla"}, {0x4B0082, "dark purple", "viola scuro"},
    // Dull colours.
    {0x6B8E8E, "greyish turquoise", "turchese grigiastro"}, {0x708090, "greyish blue", "blu grigiastro"},
    {0x8FBC8F, "greyish green", "verde grigiastro"}, {0xE8D0D0, "pale pink", "rosa pallido"},
    {0xC8E0C8, "pale green", "verde pallido"},
    // The everyday names.
    {0xA0522D, "brown", "marrone"}, {0x996600, "brown", "marrone"},
    {0x8B7D6B, "greyish brown", "marrone grigiastro"}, {0xF5F5DC, "beige", "beige"},
    {0xF5DEB3, "beige", "beige"}, {0xD2B48C, "beige", "beige"},
    {0x808000, "olive", "verde oliva"}, {0x2C3E50, "navy", "blu marino"},
    {0x191970, "dark blue", "blu scuro"},
};

} // namespace

TEST(ColourName, NamesTheHandNamedTableInBothLanguages)
{
    for (const Named& named : kTable) {
        const ColorValue color = FromWeb(named.rgb);
        SCOPED_TRACE(AddHashPrefix(ColorToHex(color)));
        EXPECT_EQ(ColourName(color, NameLanguage::English), named.english);
        EXPECT_EQ(ColourName(color, NameLanguage::Italian), named.italian);
    }
}

TEST(ColourName, NoColourHasNoName)
{
    EXPECT_EQ(ColourName(-1, NameLanguage::English), "");
    EXPECT_EQ(ColourName(-1, NameLanguage::Italian), "");
}
