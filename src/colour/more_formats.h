// The further text forms of a colour: HSV, CSS OKLCH (through OKLab), the
// Win32 COLORREF and float components.
#pragma once

#include "colour/colour.h"

#include <array>
#include <string>

enum class MoreFormat { Hsv, OkLch, ColorRef, Floats };

inline constexpr std::array<MoreFormat, 4> kMoreFormats = {MoreFormat::Hsv, MoreFormat::OkLch, MoreFormat::ColorRef,
                                                           MoreFormat::Floats};

struct OkLab {
    double L, a, b;
};
// OKLab of an sRGB colour as CSS Color 4 converts it (linear sRGB, XYZ D65, LMS).
OkLab ColourToOkLab(ColorValue color);

// "hsv(30, 100%, 100%)", "oklch(73.2% 0.186 53.0)", "0x000080FF",
// "1.000, 0.502, 0.000"; `color` is 0..16777215.
std::string FormatMore(ColorValue color, MoreFormat format);
