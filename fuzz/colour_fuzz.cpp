// libFuzzer target: every text-taking or integer procedure of the colour model,
// each compared with a small independent model of its rules in exact integer
// arithmetic. The only failures allowed are the model's own typed errors:
// overflow (6), subscript (9, SplitBytes on a short array) and division by
// zero (11, a zero GradientStep). Anything else aborts the run.
#include "colour/colour.h"
#include "toolkit/app_error.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::int64_t kLongMax = 2147483647;
constexpr std::int64_t kLongMin = -2147483647 - 1;

// An expected outcome: a value, or the number of the error the model raises.
template <class T>
struct Outcome {
    std::optional<T> value;
    long error = 0;
    static Outcome Raise(long number) { return {std::nullopt, number}; }
    static Outcome Of(T result) { return {std::move(result), 0}; }
};

[[noreturn]] void Finding(const char* procedure, const std::string& detail)
{
    std::fprintf(stderr, "FINDING in %s: %s\n", procedure, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (const unsigned char c : text) {
        if (c >= 32 && c < 127 && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    return out + "\" (" + std::to_string(text.size()) + " chars)";
}

std::string Show(std::int64_t value) { return std::to_string(value); }
std::string Show(const std::string& value) { return Quote(value); }
std::string Show(const ColorRGB& rgb)
{
    return "{" + std::to_string(rgb.Red) + ", " + std::to_string(rgb.Green) + ", " + std::to_string(rgb.Blue) + "}";
}
std::string Show(const std::vector<std::uint8_t>& bytes)
{
    std::string out = "[";
    for (const std::uint8_t b : bytes)
        out += std::to_string(b) + " ";
    return out + "]";
}

// Runs the real procedure and checks its outcome against the expected one:
// the same value, or an AppError with the same number. Any other exception
// is a finding too.
template <class T, class Describe, class Call>
void Expect(const char* procedure, Describe describe, const Outcome<T>& expected, Call call)
{
    // The arguments are written out only for a report: most inputs pass.
    const auto arguments = [&] { return std::string(describe()); };
    std::optional<T> actual;
    long error = 0;
    try {
        actual = call();
    } catch (const tk::AppError& raised) {
        error = raised.Number();
        if (error != 6 && error != 9 && error != 11)
            Finding(procedure, arguments() + ": error " + std::to_string(error) + " is not one the model raises");
    } catch (const std::exception& other) {
        Finding(procedure, arguments() + ": unexpected exception " + other.what());
    } catch (...) {
        Finding(procedure, arguments() + ": unexpected non-standard exception");
    }
    if (error != expected.error)
        Finding(procedure, arguments() + ": raised error " + std::to_string(error) + ", expected "
                               + (expected.error ? "error " + std::to_string(expected.error) : "a result"));
    if (!error && !(*actual == *expected.value))
        Finding(procedure, arguments() + ": gave " + Show(*actual) + ", expected " + Show(*expected.value));
}

// The digit value of a hexadecimal character of either case, or -1.
int HexDigit(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Right to left, as the model walks: an overflow met before the first
// non-digit is raised; a non-digit met first makes the result 0.
Outcome<std::int32_t> ModelHexToLong(std::string_view text)
{
    if (text.size() > 255)
        return Outcome<std::int32_t>::Of(0);
    std::int64_t sum = 0;
    for (std::size_t weight = 0; weight < text.size(); ++weight) {
        const int digit = HexDigit(static_cast<unsigned char>(text[text.size() - 1 - weight]));
        if (digit < 0)
            return Outcome<std::int32_t>::Of(0);
        if (digit == 0)
            continue;
        if (weight >= 8) // digit x 16^8 and above cannot fit
            return Outcome<std::int32_t>::Raise(6);
        sum += std::int64_t{digit} << (4 * weight);
        if (sum > kLongMax)
            return Outcome<std::int32_t>::Raise(6);
    }
    return Outcome<std::int32_t>::Of(static_cast<std::int32_t>(sum));
}

// Pairs from the left, pair k weighing 256^k; 256^128 is beyond a double, so
// a 129th pair overflows even when it is "00".
Outcome<std::int32_t> ModelHexToColor(std::string_view text)
{
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    std::int64_t sum = 0;
    for (std::size_t start = 0, pair = 0; start < text.size(); start += 2, ++pair) {
        if (pair >= 128)
            return Outcome<std::int32_t>::Raise(6);
        const std::string_view piece = text.substr(start, 2);
        std::int64_t value = 0;
        for (const char c : piece) {
            const int digit = HexDigit(static_cast<unsigned char>(c));
            if (digit < 0) {
                value = 0;
                break;
            }
            value = value * 16 + digit;
        }
        if (value == 0)
            continue;
        if (pair >= 4)
            return Outcome<std::int32_t>::Raise(6);
        sum += value << (8 * pair);
        if (sum > kLongMax)
            return Outcome<std::int32_t>::Raise(6);
    }
    return Outcome<std::int32_t>::Of(static_cast<std::int32_t>(sum));
}

// Upper-case digits of the 32-bit two's complement, at least two of them.
std::string ModelComponentHex(std::int32_t component)
{
    std::uint32_t bits = static_cast<std::uint32_t>(component);
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789ABCDEF"[bits % 16]);
        bits /= 16;
    } while (bits);
    if (digits.size() == 1)
        digits.insert(digits.begin(), '0');
    return digits;
}

std::string ModelRGBToHex(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    return ModelComponentHex(red) + ModelComponentHex(green) + ModelComponentHex(blue);
}

// Floor division of exact integers, the divisor never 0.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

Outcome<std::int32_t> ModelQuantizeComponent(std::int32_t v, std::int16_t step)
{
    if (step == 0)
        return Outcome<std::int32_t>::Raise(11);
    const std::int64_t s = step;
    const std::int64_t u = v > 255 - s ? std::int64_t{v} + 1 : v;
    std::int64_t r = FloorDiv(u, s) * s;
    if (r < kLongMin || r > kLongMax)
        return Outcome<std::int32_t>::Raise(6);
    if (r > 255)
        r -= 1;
    if (r < 0 || r > 255)
        return Outcome<std::int32_t>::Raise(6);
    return Outcome<std::int32_t>::Of(static_cast<std::int32_t>(r));
}

// What SplitBytes leaves in the array, including the digits written before
// an error stopped it.
struct SplitResult {
    std::vector<std::uint8_t> bytes;
    long error = 0;
};

SplitResult ModelSplitBytes(std::int32_t value, std::uint8_t count, std::vector<std::uint8_t> bytes, bool resize)
{
    if (resize)
        bytes.assign(count, 0);
    std::int64_t rest = value;
    for (int position = count; position >= 1; --position) {
        if (position >= 5) // 256^4 does not fit the weight's 32 bits
            return {bytes, 6};
        const std::int64_t weight = std::int64_t{1} << (8 * (position - 1));
        if (static_cast<std::size_t>(position) > bytes.size())
            return {bytes, 9};
        const std::int64_t digit = rest / weight; // toward zero
        if (digit < 0 || digit > 255)
            return {bytes, 6};
        bytes[static_cast<std::size_t>(position - 1)] = static_cast<std::uint8_t>(digit);
        rest -= digit * weight;
    }
    return {bytes, 0};
}

void CheckTexts(std::string_view text)
{
    const auto args = [&] { return "(" + Quote(text) + ")"; };

    const Outcome<std::int32_t> hexLong = ModelHexToLong(text);
    Expect<std::int64_t>("HexToLong", args, {hexLong.value, hexLong.error}, [&] { return HexToLong(text); });

    const Outcome<std::int32_t> hexColor = ModelHexToColor(text);
    Expect<std::int64_t>("HexToColor", args, {hexColor.value, hexColor.error}, [&] { return HexToColor(text); });

    const std::string prefixed =
        text.empty() ? std::string() : (text.front() == '#' ? std::string(text) : "#" + std::string(text));
    Expect<std::string>("AddHashPrefix", args, Outcome<std::string>::Of(prefixed),
                        [&] { return AddHashPrefix(text); });

    // A "#" in front never changes the colour read, and is never doubled.
    if (!text.empty() && text.front() != '#') {
        Expect<std::int64_t>("HexToColor", [&] { return "(\"#\" + " + Quote(text) + ")"; }, {hexColor.value, hexColor.error},
                             [&] { return HexToColor(AddHashPrefix(text)); });
        const std::string once = AddHashPrefix(text);
        Expect<std::string>("AddHashPrefix", [&] { return "(twice " + Quote(text) + ")"; }, Outcome<std::string>::Of(once),
                            [&] { return AddHashPrefix(once); });
    }
}

void CheckColour(std::int32_t c)
{
    const auto args = [&] { return "(" + std::to_string(c) + ")"; };

    // No masking: blue is the arithmetic shift, red and green the low bytes.
    const ColorRGB rgb{c & 255, (c >> 8) & 255, c >> 16};
    Expect<ColorRGB>("ColorToRGB", args, Outcome<ColorRGB>::Of(rgb), [&] { return ColorToRGB(c); });

    const std::string hex = c < 0 ? std::string() : ModelRGBToHex(c & 255, (c >> 8) & 255, (c >> 16) & 255);
    Expect<std::string>("ColorToHex", args, Outcome<std::string>::Of(hex), [&] { return ColorToHex(c); });
    if (c >= 0) {
        const std::string actual = ColorToHex(c);
        if (actual.size() != 6)
            Finding("ColorToHex", args() + ": " + Quote(actual) + " is not six characters");
        // Reading the text back gives the low three bytes, the top byte dropped.
        Expect<std::int64_t>("HexToColor", [&] { return "(ColorToHex" + args() + ")"; }, Outcome<std::int64_t>::Of(c & 0xFFFFFF),
                             [&] { return HexToColor(actual); });
    }

    // The web text of a sample: what the main window writes for any read.
    const std::string web = "#" + ModelRGBToHex(rgb.Red, rgb.Green, rgb.Blue);
    Expect<std::string>("AddHashPrefix(RGBToHex(ColorToRGB))", args, Outcome<std::string>::Of(web), [&] {
        const ColorRGB parts = ColorToRGB(c);
        return AddHashPrefix(RGBToHex(parts.Red, parts.Green, parts.Blue));
    });

    Expect<std::string>("ColorToDecimal", args, Outcome<std::string>::Of(std::to_string(c)),
                        [&] { return ColorToDecimal(c); });
    const std::string decimal = ColorToDecimal(c);
    if (std::strtoll(decimal.c_str(), nullptr, 10) != c)
        Finding("ColorToDecimal", args() + ": " + Quote(decimal) + " does not read back");
}

void CheckComponents(std::int32_t red, std::int32_t green, std::int32_t blue)
{
    const auto args = [&] {
        return "(" + std::to_string(red) + ", " + std::to_string(green) + ", " + std::to_string(blue) + ")";
    };
    const std::string hex = ModelRGBToHex(red, green, blue);
    Expect<std::string>("RGBToHex", args, Outcome<std::string>::Of(hex), [&] { return RGBToHex(red, green, blue); });

    const Outcome<std::int32_t> color = ModelHexToColor(hex);
    Expect<std::int64_t>("RGBToColor", args, {color.value, color.error}, [&] { return RGBToColor(red, green, blue); });

    const bool bytes = red >= 0 && red <= 255 && green >= 0 && green <= 255 && blue >= 0 && blue <= 255;
    if (bytes) {
        const std::int64_t value = red + 256 * std::int64_t{green} + 65536 * std::int64_t{blue};
        if (RGBToHex(red, green, blue).size() != 6)
            Finding("RGBToHex", args() + ": not six characters for bytes");
        Expect<std::int64_t>("HexToColor(RGBToHex)", args, Outcome<std::int64_t>::Of(value),
                             [&] { return HexToColor(RGBToHex(red, green, blue)); });
        Expect<std::int64_t>("RGBToColor", args, Outcome<std::int64_t>::Of(value),
                             [&] { return RGBToColor(red, green, blue); });
        const ColorRGB back{red, green, blue};
        Expect<ColorRGB>("ColorToRGB(RGBToColor)", args, Outcome<ColorRGB>::Of(back),
                         [&] { return ColorToRGB(RGBToColor(red, green, blue)); });
    }
}

void CheckSplitBytes(std::int32_t value, std::uint8_t count, std::vector<std::uint8_t> bytes, bool resize)
{
    const std::vector<std::uint8_t> given = bytes;
    const auto args = [&] {
        return "(" + std::to_string(value) + ", " + std::to_string(count) + ", " + Show(given) + ", "
               + (resize ? "true" : "false") + ")";
    };
    const SplitResult expected = ModelSplitBytes(value, count, bytes, resize);
    long error = 0;
    try {
        SplitBytes(value, count, bytes, resize);
    } catch (const tk::AppError& raised) {
        error = raised.Number();
    } catch (...) {
        Finding("SplitBytes", args() + ": an exception other than AppError");
    }
    if (error != expected.error)
        Finding("SplitBytes", args() + ": error " + std::to_string(error) + ", expected " + std::to_string(expected.error));
    if (bytes != expected.bytes)
        Finding("SplitBytes", args() + ": left " + Show(bytes) + ", expected " + Show(expected.bytes));
    if (!error) {
        // The digits give the value back, least significant first.
        std::int64_t sum = 0;
        for (int i = std::min<int>(count, 4) - 1; i >= 0; --i)
            sum = sum * 256 + bytes[static_cast<std::size_t>(i)];
        if (count > 0 && sum != value)
            Finding("SplitBytes", args() + ": digits " + Show(bytes) + " do not add up to the value");
    }
}

void CheckQuantize(std::int32_t component, std::int32_t color, std::int16_t step)
{
    GradientStep = step;
    const auto args = [&] { return "(" + std::to_string(component) + ") with step " + std::to_string(step); };
    const Outcome<std::int32_t> expected = ModelQuantizeComponent(component, step);
    Expect<std::int64_t>("QuantizeComponent", args, {expected.value, expected.error},
                         [&] { return std::int64_t{QuantizeComponent(component)}; });

    // Each byte alone, the top byte dropped; the first error met is raised.
    Outcome<std::int32_t> whole = Outcome<std::int32_t>::Of(0);
    std::int32_t sum = 0;
    for (int shift = 0; shift <= 16 && !whole.error; shift += 8) {
        const Outcome<std::int32_t> part = ModelQuantizeComponent((color >> shift) & 255, step);
        if (part.error)
            whole = Outcome<std::int32_t>::Raise(part.error);
        else
            sum += *part.value << shift;
    }
    if (!whole.error)
        whole = Outcome<std::int32_t>::Of(sum);
    Expect<std::int64_t>("QuantizeColor", [&] { return "(" + std::to_string(color) + ") with step " + std::to_string(step); },
                         {whole.value, whole.error}, [&] { return std::int64_t{QuantizeColor(color)}; });
    if (step == 1 && !whole.error && *whole.value != (color & 0xFFFFFF))
        Finding("QuantizeColor", std::to_string(color) + " with step 1 is not the colour itself");
    GradientStep = 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    // Integers come from the end of the input, the text is what remains.
    const std::int32_t a = input.ConsumeIntegral<std::int32_t>();
    const std::int32_t b = input.ConsumeIntegral<std::int32_t>();
    const std::int32_t c = input.ConsumeIntegral<std::int32_t>();
    const std::int16_t step = input.ConsumeIntegral<std::int16_t>();
    const std::uint8_t count = input.ConsumeIntegral<std::uint8_t>();
    const bool resize = input.ConsumeBool();
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, 8);
    std::vector<std::uint8_t> bytes(length);
    for (std::uint8_t& byte : bytes)
        byte = input.ConsumeIntegral<std::uint8_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();

    CheckTexts(text);
    CheckColour(a);
    CheckColour(a & 0xFFFFFF);
    CheckComponents(a, b, c);
    CheckComponents(a & 255, b & 255, c & 255);
    CheckSplitBytes(a, count, bytes, resize);
    CheckSplitBytes(a, count, bytes, !resize);
    CheckSplitBytes(a & 0xFFFFFF, 3, bytes, true);
    CheckQuantize(b, c, step);
    CheckQuantize(b & 255, c, 1);
    return 0;
}
