// The committed skin picture keeps what the main window builds on: its size
// and key colour, the see-through view-finder centre, the black swatch disc,
// plain black under the value rows, and one connected window region.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kKey{255, 0, 255};
constexpr Rgb kBlack{0, 0, 0};

std::ostream& operator<<(std::ostream& out, const Rgb& c) { return out << '(' << c.r << ',' << c.g << ',' << c.b << ')'; }

// Just enough of a BMP reader for an uncompressed 24-bit picture.
struct Picture {
    int width = 0, height = 0, bitCount = 0;
    std::vector<Rgb> pixels; // top row first

    const Rgb& At(int x, int y) const { return pixels.at(static_cast<std::size_t>(y * width + x)); }
    bool IsKey(int x, int y) const { return At(x, y) == kKey; }
};

std::uint32_t Le(const std::vector<unsigned char>& bytes, std::size_t at, int size)
{
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | bytes.at(at + static_cast<std::size_t>(i));
    return v;
}

Picture ReadBmp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Picture picture;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || Le(bytes, 30, 4) != 0)
        return picture;
    const std::uint32_t offset = Le(bytes, 10, 4);
    picture.width = static_cast<int>(Le(bytes, 18, 4));
    const auto height = static_cast<std::int32_t>(Le(bytes, 22, 4));
    picture.bitCount = static_cast<int>(Le(bytes, 28, 2));
    if (picture.bitCount != 24 || height == 0)
        return picture;
    picture.height = std::abs(height);
    const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) / 4 * 4;
    for (int y = 0; y < picture.height; ++y) {
        const int stored = height > 0 ? picture.height - 1 - y : y;
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t at = offset + static_cast<std::size_t>(stored) * stride + static_cast<std::size_t>(x) * 3;
            picture.pixels.push_back({bytes.at(at + 2), bytes.at(at + 1), bytes.at(at)});
        }
    }
    return picture;
}

const Picture& Skin()
{
    static const Picture skin = ReadBmp(std::string(TAVOLISK_ART_DIR) + "/skin.bmp");
    return skin;
}

constexpr int kFinderX = 45, kFinderY = 121;
constexpr int kSwatchX = 192, kSwatchY = 164;

class SkinGeometry : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Skin().pixels.size(), 231u * 243u) << "skin.bmp is not a 231 x 243 24-bit BMP"; }
    const Picture& skin = Skin();
};

TEST_F(SkinGeometry, Is231x243At24BitsWithTheKeyColourInTheCorner)
{
    EXPECT_EQ(skin.width, 231);
    EXPECT_EQ(skin.height, 243);
    EXPECT_EQ(skin.bitCount, 24);
    EXPECT_EQ(skin.At(0, 0), kKey);
}

TEST_F(SkinGeometry, BodyLiesInsideThePictureWithKeyColourAllRound)
{
    for (int x = 0; x < skin.width; ++x) {
        EXPECT_TRUE(skin.IsKey(x, 0)) << x << ",0";
        EXPECT_TRUE(skin.IsKey(x, skin.height - 1)) << x << ",bottom";
    }
    for (int y = 0; y < skin.height; ++y) {
        EXPECT_TRUE(skin.IsKey(0, y)) << "0," << y;
        EXPECT_TRUE(skin.IsKey(skin.width - 1, y)) << "right," << y;
    }
}

TEST_F(SkinGeometry, ViewFinderCentreIsKeyedAndBoxedInBlack)
{
    EXPECT_EQ(skin.At(kFinderX, kFinderY), kKey);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx || dy) {
                EXPECT_EQ(skin.At(kFinderX + dx, kFinderY + dy), kBlack) << "neighbour " << dx << "," << dy;
            }
        }
    }
}

TEST_F(SkinGeometry, ViewFinderHoleIsOpenInsideAndClosedByTheBody)
{
    const double pi = std::acos(-1.0);
    for (int degrees = 0; degrees < 360; degrees += 5) {
        const double a = degrees * pi / 180;
        auto pixel = [&](double radius) {
            return std::array<int, 2>{static_cast<int>(std::lround(kFinderX + radius * std::cos(a))),
                                      static_cast<int>(std::lround(kFinderY + radius * std::sin(a)))};
        };
        // Away from the crosshair, the hole shows the screen at radius 30...
        if (degrees % 90 != 0) {
            const auto [x, y] = pixel(30);
            EXPECT_TRUE(skin.IsKey(x, y)) << "open at " << degrees << " degrees";
        }
        // ...and is closed by the body's ring a little beyond radius 37.
        const auto [x, y] = pixel(40);
        EXPECT_FALSE(skin.IsKey(x, y)) << "closed at " << degrees << " degrees";
    }
}

TEST_F(SkinGeometry, SwatchDiscIsPureBlack)
{
    for (int y = kSwatchY - 24; y <= kSwatchY + 24; ++y) {
        for (int x = kSwatchX - 24; x <= kSwatchX + 24; ++x) {
            if ((x - kSwatchX) * (x - kSwatchX) + (y - kSwatchY) * (y - kSwatchY) <= 24 * 24) {
                ASSERT_EQ(skin.At(x, y), kBlack) << x << "," << y;
            }
        }
    }
}

TEST_F(SkinGeometry, ValueRowsLieOnPlainBlack)
{
    // Captions and fields of the five rows: left, top, width, height.
    const std::array<std::array<int, 4>, 10> controls{{
        {126, 48, 57, 13}, {126, 66, 57, 13}, {126, 93, 35, 13}, {126, 111, 35, 13}, {126, 129, 35, 13},
        {92, 48, 31, 15},  {70, 66, 53, 15},  {104, 93, 21, 15}, {108, 111, 17, 15}, {108, 129, 17, 15},
    }};
    for (const auto& [left, top, width, height] : controls) {
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                ASSERT_EQ(skin.At(x, y), kBlack) << x << "," << y;
            }
        }
    }
}

TEST_F(SkinGeometry, WebAddressIsDrawnUnderTheLinkLabel)
{
    int ink = 0;
    for (int y = 29; y < 38; ++y) {
        for (int x = 102; x < 199; ++x) {
            ASSERT_FALSE(skin.IsKey(x, y)) << x << "," << y;
            ink += skin.At(x, y) == kBlack ? 0 : 1;
        }
    }
    EXPECT_GT(ink, 100);
}

TEST_F(SkinGeometry, EveryPixelIsTheKeyOrClearlyNotTheKey)
{
    for (int y = 0; y < skin.height; ++y) {
        for (int x = 0; x < skin.width; ++x) {
            const Rgb& c = skin.At(x, y);
            if (c == kKey)
                continue;
            const int distance = std::abs(c.r - 255) + c.g + std::abs(c.b - 255);
            ASSERT_GT(distance, 96) << x << "," << y << " is nearly magenta: " << c;
        }
    }
}

TEST_F(SkinGeometry, RegionIsOneConnectedShapeOfAFewHundredRuns)
{
    // Flood the non-key pixels from the first one found, four-connected.
    std::vector<char> seen(skin.pixels.size(), 0);
    int total = 0, start = -1;
    for (int i = 0; i < static_cast<int>(skin.pixels.size()); ++i)
        if (!(skin.pixels[static_cast<std::size_t>(i)] == kKey)) {
            ++total;
            if (start < 0)
                start = i;
        }
    ASSERT_GE(start, 0);
    std::vector<int> stack{start};
    seen[static_cast<std::size_t>(start)] = 1;
    int reached = 0;
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        ++reached;
        const int x = i % skin.width, y = i / skin.width;
        const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& [nx, ny] : next) {
            if (nx < 0 || ny < 0 || nx >= skin.width || ny >= skin.height || skin.IsKey(nx, ny))
                continue;
            const auto j = static_cast<std::size_t>(ny * skin.width + nx);
            if (!seen[j]) {
                seen[j] = 1;
                stack.push_back(static_cast<int>(j));
            }
        }
    }
    EXPECT_EQ(reached, total) << "the region falls apart into pieces";

    // The region is built from one rectangle per horizontal run of non-key pixels.
    int runs = 0;
    for (int y = 0; y < skin.height; ++y)
        for (int x = 0; x < skin.width; ++x)
            if (!skin.IsKey(x, y) && (x == 0 || skin.IsKey(x - 1, y)))
                ++runs;
    std::cout << "skin region: " << runs << " horizontal runs, " << total << " pixels\n";
    RecordProperty("runs", runs);
    EXPECT_GE(runs, 200);
    EXPECT_LE(runs, 800);
}

} // namespace
