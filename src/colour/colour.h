// The colour value, its components and text forms, and the gradient helpers.
// The arithmetic is deliberately exact and checked:
// no masking where none was done, floor or truncation where each was used,
// and the overflow error wherever a result leaves its type's range.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Colour value: bits 0-7 red, 8-15 green, 16-23 blue; -1 is an unreadable pixel.
using ColorValue = std::int32_t;

struct ColorRGB {
    std::int32_t Red = 0;
    std::int32_t Green = 0;
    std::int32_t Blue = 0;
    friend bool operator==(const ColorRGB&, const ColorRGB&) = default;
};

// The step that QuantizeComponent snaps to; the advanced view keeps it at 1.
extern std::int16_t GradientStep;

// Splits by division, without masking: -1 gives red 255, green 255, blue -1.
ColorRGB ColorToRGB(ColorValue value);

// Six upper-case digits RRGGBB for components 0..255; nothing is cut otherwise.
std::string RGBToHex(std::int32_t red, std::int32_t green, std::int32_t blue);

// RRGGBB of the low three bytes, or empty text for a negative value.
std::string ColorToHex(ColorValue value);

std::string AddHashPrefix(std::string_view text);

// Hexadecimal text to a 32-bit integer; any non-digit makes the whole result 0.
std::int32_t HexToLong(std::string_view text);

// "#RRGGBB" or "RRGGBB" to a colour value, pairs read low byte first.
ColorValue HexToColor(std::string_view text);

ColorValue RGBToColor(std::int32_t red, std::int32_t green, std::int32_t blue);

// Base-256 digits of a value, least significant first: bytes[0] is digit 1.
void SplitBytes(std::int32_t value, std::uint8_t count, std::vector<std::uint8_t>& bytes, bool resize);

std::uint8_t QuantizeComponent(std::int32_t component);

ColorValue QuantizeColor(ColorValue value);

// Decimal text of a value, as the "Num:" and numeric fields show it.
std::string ColorToDecimal(std::int32_t value);
