// WCAG 2.x relative luminance and contrast ratio.
#include "colour/contrast.h"

#include <cmath>
#include <cstdio>

namespace {

double Linear(int component)
{
    const double c = component / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(ColorValue color)
{
    return 0.2126 * Linear(color & 0xFF) + 0.7152 * Linear((color >> 8) & 0xFF) +
           0.0722 * Linear((color >> 16) & 0xFF);
}

double ContrastRatio(ColorValue first, ColorValue second)
{
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05);
}

std::string ContrastText(double ratio)
{
    // Two decimals, rounded; but a ratio just under a threshold never shows
    // the threshold itself, or "4.50:1" would stand there without its AA.
    double shown = std::round(ratio * 100) / 100;
    for (double threshold : {kContrastAA, kContrastAAA})
        if (ratio < threshold && shown >= threshold)
            shown = threshold - 0.01;
    char number[16]{};
    std::snprintf(number, sizeof number, "%.2f", shown);
    std::string text = number;
    // Trailing zeros go: "21:1", "4.5:1".
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    text += ":1";
    if (ratio >= kContrastAAA)
        text += " AAA";
    else if (ratio >= kContrastAA)
        text += " AA";
    return text;
}
