// The texts of a colour value in the forms other programs take it in: web
// and bare hexadecimal, CSS rgb() and hsl(), and the plain numeric value.
#pragma once

#include "colour/colour.h"

#include <array>
#include <string>

enum class ColourFormat { Web, Hex, CssRgb, CssHsl, Numeric };

inline constexpr std::array<ColourFormat, 5> kColourFormats = {ColourFormat::Web, ColourFormat::Hex,
                                                               ColourFormat::CssRgb, ColourFormat::CssHsl,
                                                               ColourFormat::Numeric};

// Hue in degrees 0..359, saturation and lightness in percent, each rounded
// to the nearest integer as CSS serialises them.
struct ColourHsl {
    int Hue;
    int Saturation;
    int Lightness;
};
ColourHsl ColourToHsl(ColorValue color);

// "#FF8000", "FF8000", "rgb(255, 128, 0)", "hsl(30, 100%, 50%)", "33023";
// `color` is 0..16777215.
std::string FormatColour(ColorValue color, ColourFormat format);
