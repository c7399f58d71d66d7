// Colour texts for copying into other programs.
#include "colour/colour_formats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

ColourHsl ColourToHsl(ColorValue color)
{
    const double r = (color & 0xFF) / 255.0;
    const double g = ((color >> 8) & 0xFF) / 255.0;
    const double b = ((color >> 16) & 0xFF) / 255.0;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    const double delta = high - low;
    const double lightness = (high + low) / 2;
    double hue = 0;
    double saturation = 0;
    if (delta > 0) {
        saturation = delta / (1 - std::fabs(2 * lightness - 1));
        if (high == r)
            hue = 60 * std::fmod((g - b) / delta + 6, 6.0);
        else if (high == g)
            hue = 60 * ((b - r) / delta + 2);
        else
            hue = 60 * ((r - g) / delta + 4);
    }
    // A hue that rounds up to a full turn is written as 0, as CSS does.
    const int roundedHue = static_cast<int>(std::lround(hue)) % 360;
    return {roundedHue, static_cast<int>(std::lround(saturation * 100)), static_cast<int>(std::lround(lightness * 100))};
}

std::string FormatColour(ColorValue color, ColourFormat format)
{
    const int red = color & 0xFF;
    const int green = (color >> 8) & 0xFF;
    const int blue = (color >> 16) & 0xFF;
    char text[40]{};
    switch (format) {
    case ColourFormat::Web:
        std::snprintf(text, sizeof text, "#%02X%02X%02X", red, green, blue);
        break;
    case ColourFormat::Hex:
        std::snprintf(text, sizeof text, "%02X%02X%02X", red, green, blue);
        break;
    case ColourFormat::CssRgb:
        std::snprintf(text, sizeof text, "rgb(%d, %d, %d)", red, green, blue);
        break;
    case ColourFormat::CssHsl: {
        const ColourHsl hsl = ColourToHsl(color);
        std::snprintf(text, sizeof text, "hsl(%d, %d%%, %d%%)", hsl.Hue, hsl.Saturation, hsl.Lightness);
        break;
    }
    case ColourFormat::Numeric:
        std::snprintf(text, sizeof text, "%ld", static_cast<long>(color));
        break;
    }
    return text;
}
