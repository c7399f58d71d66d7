// HSV, OKLCH, COLORREF and float texts of a colour.
#include "colour/more_formats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

double Linear(int component)
{
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

using Matrix = std::array<std::array<double, 3>, 3>;

std::array<double, 3> Multiply(const Matrix& m, const std::array<double, 3>& v)
{
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2], m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// CSS Color 4's matrices: linear sRGB to XYZ (D65), XYZ to LMS, LMS' to OKLab.
constexpr Matrix kLinearSrgbToXyz{{{506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
                                   {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
                                   {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270}}};
constexpr Matrix kXyzToLms{{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                            {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                            {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
constexpr Matrix kLmsToOkLab{{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                              {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
                              {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};

// printf rounds a tiny negative to "-0.0"; text never shows a minus zero.
double NoNegativeZero(double value, double step)
{
    return std::fabs(value) < step / 2 ? 0.0 : value;
}

} // namespace

OkLab ColourToOkLab(ColorValue color)
{
    const std::array<double, 3> rgb{Linear(color & 0xFF), Linear((color >> 8) & 0xFF), Linear((color >> 16) & 0xFF)};
    std::array<double, 3> lms = Multiply(kXyzToLms, Multiply(kLinearSrgbToXyz, rgb));
    for (double& v : lms)
        v = std::cbrt(v);
    const std::array<double, 3> lab = Multiply(kLmsToOkLab, lms);
    return {lab[0], lab[1], lab[2]};
}

std::string FormatMore(ColorValue color, MoreFormat format)
{
    const int red = color & 0xFF;
    const int green = (color >> 8) & 0xFF;
    const int blue = (color >> 16) & 0xFF;
    char text[48]{};
    switch (format) {
    case MoreFormat::Hsv: {
        const int high = std::max({red, green, blue});
        const int delta = high - std::min({red, green, blue});
        double hue = 0;
        if (delta > 0) {
            if (high == red)
                hue = 60 * std::fmod(static_cast<double>(green - blue) / delta + 6, 6.0);
            else if (high == green)
                hue = 60 * (static_cast<double>(blue - red) / delta + 2);
            else
                hue = 60 * (static_cast<double>(red - green) / delta + 4);
        }
        const long saturation = high ? std::lround(100.0 * delta / high) : 0;
        std::snprintf(text, sizeof text, "hsv(%ld, %ld%%, %ld%%)", std::lround(hue) % 360, saturation,
                      std::lround(100.0 * high / 255));
        break;
    }
    case MoreFormat::OkLch: {
        const OkLab lab = ColourToOkLab(color);
        const double chroma = std::hypot(lab.a, lab.b);
        double hue = 0;
        // Below what the text shows, the hue is noise: an achromatic colour has none.
        if (chroma >= 0.0005) {
            hue = std::atan2(lab.b, lab.a) * 180 / 3.14159265358979323846;
            if (hue < 0)
                hue += 360;
            if (hue >= 359.95)
                hue = 0;
        }
        std::snprintf(text, sizeof text, "oklch(%.1f%% %.3f %.1f)", NoNegativeZero(lab.L * 100, 0.1),
                      NoNegativeZero(chroma, 0.001), hue);
        break;
    }
    case MoreFormat::ColorRef:
        std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(color & 0xFFFFFF));
        break;
    case MoreFormat::Floats:
        std::snprintf(text, sizeof text, "%.3f, %.3f, %.3f", red / 255.0, green / 255.0, blue / 255.0);
        break;
    }
    return text;
}
