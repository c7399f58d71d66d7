// The colour model's conversions, against the program's known answers.
#include "colour/colour.h"
#include "toolkit/app_error.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

bool RaisesOverflow(auto&& call)
{
    try {
        call();
    } catch (const tk::AppError& error) {
        return error.Number() == 6;
    }
    return false;
}

struct StepScope {
    explicit StepScope(std::int16_t step) : saved(GradientStep) { GradientStep = step; }
    ~StepScope() { GradientStep = saved; }
    std::int16_t saved;
};

} // namespace

TEST(ColorToRGB, SplitsLowByteRed)
{
    EXPECT_EQ(ColorToRGB(33023), (ColorRGB{255, 128, 0}));
    EXPECT_EQ(ColorToRGB(16711680), (ColorRGB{0, 0, 255}));
    EXPECT_EQ(ColorToRGB(0), (ColorRGB{0, 0, 0}));
}

TEST(ColorToRGB, DoesNotMask)
{
    // -1 is what an unreadable pixel gives; its blue stays -1.
    EXPECT_EQ(ColorToRGB(-1), (ColorRGB{255, 255, -1}));
    EXPECT_EQ(ColorToRGB(16777216 + 255 * 65536).Blue, 511);
    EXPECT_EQ(ColorToRGB(-16777216), (ColorRGB{0, 0, -256}));
}

TEST(RGBToHex, PadsEachComponentToTwoDigits)
{
    EXPECT_EQ(RGBToHex(255, 0, 128), "FF0080");
    EXPECT_EQ(RGBToHex(0, 0, 0), "000000");
    EXPECT_EQ(RGBToHex(10, 11, 12), "0A0B0C");
    EXPECT_EQ(RGBToHex(256, 0, 0), "1000000"); // nothing is cut
}

TEST(RGBToHex, UnreadablePixelGivesTwelveFs)
{
    const ColorRGB rgb = ColorToRGB(-1);
    EXPECT_EQ(AddHashPrefix(RGBToHex(rgb.Red, rgb.Green, rgb.Blue)), "#FFFFFFFFFFFF");
}

TEST(ColorToHex, RedFirstAndTopByteIgnored)
{
    EXPECT_EQ(ColorToHex(255), "FF0000");
    EXPECT_EQ(ColorToHex(16711680), "0000FF");
    EXPECT_EQ(ColorToHex(16777216 + 255), "FF0000");
    EXPECT_EQ(ColorToHex(-1), "");
    EXPECT_EQ(ColorToHex(std::numeric_limits<std::int32_t>::min()), "");
}

TEST(AddHashPrefix, AddsOnlyWhereMissing)
{
    EXPECT_EQ(AddHashPrefix(""), "");
    EXPECT_EQ(AddHashPrefix("A0B0C0"), "#A0B0C0");
    EXPECT_EQ(AddHashPrefix("#A0B0C0"), "#A0B0C0");
}

TEST(HexToLong, DigitsAndInvalidText)
{
    const std::pair<std::string, std::int32_t> cases[] = {
        {"ff", 255}, {"1G", 0}, {"G1", 0}, {"", 0}, {"7FFFFFFF", 2147483647},
        {std::string(256, '1'), 0}, {std::string(255, '0'), 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(HexToLong(text), value) << text;
}

TEST(HexToLong, ThirtyTwoBitOverflowIsTheTypedError)
{
    EXPECT_TRUE(RaisesOverflow([] { HexToLong("80000000"); }));
    EXPECT_TRUE(RaisesOverflow([] { HexToLong(std::string(255, 'F')); }));
    // The walk runs from the last digit, so the overflow comes before the bad character.
    EXPECT_TRUE(RaisesOverflow([] { HexToLong("GFFFFFFFF"); }));
}

TEST(HexToColor, PairsAreReadLowByteFirst)
{
    const std::pair<const char*, ColorValue> cases[] = {
        {"#FF0080", 8388863}, {"ff0080", 8388863}, {"#", 0}, {"", 0}, {"ABC", 3243}, {"ZZ00FF", 16711680},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(HexToColor(text), value) << text;
}

TEST(HexToColor, LongTextOverflowsOrStaysZero)
{
    EXPECT_TRUE(RaisesOverflow([] { HexToColor("0000000001"); }));
    EXPECT_TRUE(RaisesOverflow([] { HexToColor("FFFFFFFF"); }));
    EXPECT_EQ(HexToColor(std::string(256, '0')), 0);
    EXPECT_EQ(HexToColor(std::string(256, 'Z')), 0);
    // A power of 256 beyond a double's range is an overflow too, never a NaN.
    EXPECT_TRUE(RaisesOverflow([] { HexToColor(std::string(600, 'Z')); }));
}

TEST(RGBToColor, RoundTripsEveryColour)
{
    for (ColorValue c = 0; c <= 16777215; ++c) {
        const ColorRGB rgb = ColorToRGB(c);
        if (RGBToColor(rgb.Red, rgb.Green, rgb.Blue) != c)
            FAIL() << "round trip lost " << c;
    }
}

TEST(SplitBytes, DigitsLeastSignificantFirst)
{
    std::vector<std::uint8_t> bytes{9, 9, 9, 9, 9};
    SplitBytes(0x123456, 3, bytes, true);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x56, 0x34, 0x12}));

    std::vector<std::uint8_t> kept{7, 7};
    SplitBytes(0x123456, 0, kept, false);
    EXPECT_EQ(kept, (std::vector<std::uint8_t>{7, 7}));
}

TEST(SplitBytes, DigitOutOfByteRangeOverflows)
{
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(RaisesOverflow([&] { SplitBytes(16777216 + 255 * 65536, 3, bytes, true); }));
    EXPECT_TRUE(RaisesOverflow([&] { SplitBytes(-1, 3, bytes, true); }));
    EXPECT_TRUE(RaisesOverflow([&] { SplitBytes(1, 5, bytes, true); }));
}

TEST(SplitBytes, TooSmallArrayWithoutResizeIsAnError)
{
    std::vector<std::uint8_t> bytes(2);
    EXPECT_THROW(SplitBytes(0x123456, 3, bytes, false), tk::AppError);
}

TEST(QuantizeComponent, StepOneKeepsEveryByte)
{
    StepScope step(1);
    for (int v = 0; v <= 255; ++v)
        EXPECT_EQ(QuantizeComponent(v), v);
    EXPECT_TRUE(RaisesOverflow([] { QuantizeComponent(256); }));
    EXPECT_TRUE(RaisesOverflow([] { QuantizeComponent(-1); }));
}

TEST(QuantizeComponent, CoarserStepSnapsDown)
{
    StepScope step(16);
    EXPECT_EQ(QuantizeComponent(255), 255);
    EXPECT_EQ(QuantizeComponent(250), 240);
    EXPECT_EQ(QuantizeComponent(239), 224);
}

TEST(QuantizeComponent, ZeroStepIsDivisionByZero)
{
    StepScope step(0);
    EXPECT_THROW(QuantizeComponent(10), tk::AppError);
}

TEST(QuantizeColor, IdentityAtStepOneAndTopByteDropped)
{
    StepScope step(1);
    for (ColorValue c = 0; c <= 16777215; c += 7)
        ASSERT_EQ(QuantizeColor(c), c);
    EXPECT_EQ(QuantizeColor(16777215), 16777215);
    EXPECT_EQ(QuantizeColor(0x7F123456), 0x123456);
}
