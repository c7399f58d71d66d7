// Colour conversions with exact, range-checked arithmetic.
#include "colour/colour.h"

#include "toolkit/app_error.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

std::int16_t GradientStep = 0;

namespace {

// A whole-valued result stored into a 32-bit integer: rounded half to even,
// with the overflow error when it does not fit (NaN and infinities included).
std::int32_t ToLong(double value)
{
    if (!std::isfinite(value))
        throw tk::OverflowError();
    const double rounded = std::nearbyint(value);
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min())
        || rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        throw tk::OverflowError();
    return static_cast<std::int32_t>(rounded);
}

std::int32_t CheckedLong(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw tk::OverflowError();
    return static_cast<std::int32_t>(value);
}

std::uint8_t ToByte(std::int64_t value)
{
    if (value < 0 || value > 255)
        throw tk::OverflowError();
    return static_cast<std::uint8_t>(value);
}

// A power too large for a double is an overflow error, never an infinity.
double Power(double base, int exponent)
{
    const double result = std::pow(base, exponent);
    if (!std::isfinite(result))
        throw tk::OverflowError();
    return result;
}

// Upper-case hexadecimal without leading zeros; negatives as 32-bit two's complement.
std::string HexText(std::int32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(static_cast<std::uint32_t>(value)));
    return buffer;
}

} // namespace

ColorRGB ColorToRGB(ColorValue value)
{
    ColorRGB rgb;
    rgb.Blue = ToLong(std::floor(value / 65536.0));
    const std::int32_t rest = CheckedLong(std::int64_t{value} - std::int64_t{rgb.Blue} * 65536);
    rgb.Green = ToLong(std::floor(rest / 256.0));
    rgb.Red = CheckedLong(std::int64_t{value} - (std::int64_t{rgb.Green} * 256 + std::int64_t{rgb.Blue} * 65536));
    return rgb;
}

std::string RGBToHex(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    std::string result;
    for (const std::int32_t component : {red, green, blue}) {
        const std::string digits = HexText(component);
        if (digits.size() == 1)
            result += '0';
        result += digits;
    }
    return result;
}

std::string ColorToHex(ColorValue value)
{
    if (value < 0)
        return {};
    return RGBToHex(value & 255, (value & 65280) / 256, (value & 16711680) / 65536);
}

std::string AddHashPrefix(std::string_view text)
{
    if (text.empty())
        return {};
    std::string result;
    if (text.front() != '#')
        result += '#';
    result += text;
    return result;
}

std::int32_t HexToLong(std::string_view text)
{
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    if (text.size() > 255)
        return 0;
    const int length = static_cast<int>(text.size());
    std::int32_t sum = 0;
    for (int position = length; position >= 1; --position) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(text[position - 1])));
        const auto digit = kDigits.find(upper);
        if (digit == std::string_view::npos)
            return 0;
        sum = ToLong(static_cast<double>(digit) * Power(16.0, length - position) + sum);
    }
    return sum;
}

ColorValue HexToColor(std::string_view text)
{
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    std::int32_t sum = 0;
    int pair = 0;
    for (std::size_t start = 0; start < upper.size(); start += 2, ++pair) {
        const std::string_view piece = std::string_view(upper).substr(start, 2);
        sum = ToLong(sum + HexToLong(piece) * Power(256.0, pair));
    }
    return sum;
}

ColorValue RGBToColor(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    return HexToColor(RGBToHex(red, green, blue));
}

void SplitBytes(std::int32_t value, std::uint8_t count, std::vector<std::uint8_t>& bytes, bool resize)
{
    if (resize)
        bytes.assign(count, 0);
    for (int position = count; position >= 1; --position) {
        const std::int32_t weight = ToLong(Power(256.0, position - 1));
        if (static_cast<std::size_t>(position) > bytes.size())
            throw tk::SubscriptError();
        const std::int32_t digit = value / weight; // truncates toward zero
        bytes[position - 1] = ToByte(digit);
        value = CheckedLong(std::int64_t{value} - std::int64_t{bytes[position - 1]} * weight);
    }
}

std::uint8_t QuantizeComponent(std::int32_t component)
{
    const std::int32_t step = GradientStep;
    if (step == 0)
        throw tk::DivisionByZeroError();
    const std::int32_t threshold = 255 - step;
    const std::int64_t u = component > threshold ? std::int64_t{component} + 1 : component;
    std::int64_t r = ToLong(std::floor(static_cast<double>(u) / step) * step);
    if (r > 255)
        r -= 1;
    return ToByte(r);
}

ColorValue QuantizeColor(ColorValue value)
{
    const std::int32_t red = QuantizeComponent(value & 255);
    const std::int32_t green = QuantizeComponent((value & 65280) / 256);
    const std::int32_t blue = QuantizeComponent((value & 16711680) / 65536);
    return red + 256 * green + 65536 * blue;
}

std::string ColorToDecimal(std::int32_t value)
{
    return std::to_string(value);
}
