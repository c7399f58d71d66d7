// Contrast between two colours as WCAG 2.x defines it, with the AA and AAA
// marks for normal text.
#pragma once

#include "colour/colour.h"

#include <string>

// 0 for black to 1 for white.
double RelativeLuminance(ColorValue color);

// 1 (equal luminance) to 21 (black and white), whichever colour is lighter.
double ContrastRatio(ColorValue first, ColorValue second);

// The ratio as shown to the user: "4.48:1", "4.6:1 AA", "21:1 AAA".
std::string ContrastText(double ratio);

inline constexpr double kContrastAA = 4.5;
inline constexpr double kContrastAAA = 7.0;
