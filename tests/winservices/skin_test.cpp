// Regions cut from pictures, and windows cut to them: rectangles read back
// with GetRegionData, membership checked pixel by pixel against the picture,
// and the screen read where the window was cut away.
#include "winservices/skin.h"

#include "colour/mouse_function.h"
#include "resources/resource_access.h"
#include "toolkit/app_error.h"
#include "toolkit/picturebox.h"
#include "support/all.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cmath>
#include <random>

using tktest::Place;
using tktest::TestForm;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
using Rect = std::array<long, 4>;

std::vector<Rect> Rectangles(HRGN region)
{
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    ::GetRegionData(region, size, data);
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    std::vector<Rect> result;
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        result.push_back({rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
    return result;
}

template <class ColorAt>
tktest::Pixels PixelsOf(int width, int height, ColorAt colorAt)
{
    tktest::Pixels pixels{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colorAt(x, y);
            pixels.bgr.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
        }
    return pixels;
}

// Runs of non-key pixels, counted straight from the pixels.
int CountRuns(const tktest::Pixels& picture, COLORREF key)
{
    int runs = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.At(x, y) != key && (x == 0 || picture.At(x - 1, y) == key))
                ++runs;
    return runs;
}

// Every pixel of the picture lies in the region exactly when it is not the key.
void ExpectRegionFollowsPicture(HRGN region, const tktest::Pixels& picture, COLORREF key)
{
    int mismatches = 0;
    for (int y = -1; y <= picture.height; ++y)
        for (int x = -1; x <= picture.width; ++x) {
            const bool inPicture = x >= 0 && y >= 0 && x < picture.width && y < picture.height;
            const bool opaque = inPicture && picture.At(x, y) != key;
            if ((region && ::PtInRegion(region, x, y)) != opaque && ++mismatches < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << (opaque ? " missing from" : " wrongly in") << " region";
        }
    EXPECT_EQ(mismatches, 0);
}

struct RegionFixture : ::testing::Test {
    TestForm form{L"skinhost", Place(40, 40, 300, 300)};
    tk::PictureBox picture;

    void SetUp() override
    {
        form.Load();
        picture.Create(form, 0, 0, 300, 300);
        picture.SetScaleMode(tk::kScalePixels);
        picture.SetAutoSize(true);
        picture.SetBorderStyle(0);
    }
    // Puts the picture in the box and builds the region both ways, which must agree.
    template <class ColorAt>
    tk::unique_hrgn Build(int width, int height, ColorAt colorAt, int* runs = nullptr)
    {
        picture.SetPicture(tktest::MakePicture(width, height, colorAt));
        EXPECT_EQ(picture.ScaleWidth(), width);
        EXPECT_EQ(picture.ScaleHeight(), height);
        std::int32_t counted = -1;
        tk::unique_hrgn region = MakeRegionFromPicture(picture, 0, 0, &counted);
        std::int32_t countedPerPixel = -1;
        const tk::unique_hrgn perPixel = MakeRegionFromPicturePerPixel(picture, 0, 0, &countedPerPixel);
        EXPECT_EQ(region == nullptr, perPixel == nullptr);
        if (region && perPixel) {
            EXPECT_TRUE(::EqualRgn(region.get(), perPixel.get()));
        }
        EXPECT_EQ(counted, countedPerPixel);
        if (runs)
            *runs = counted;
        return region;
    }
};

} // namespace

TEST_F(RegionFixture, APictureOfKeyColourOnlyGivesNoRegion)
{
    int runs = -1;
    EXPECT_EQ(Build(5, 3, [](int, int) { return kKey; }, &runs), nullptr);
    EXPECT_EQ(runs, 0);
    // Whatever colour is at the key point is the key.
    EXPECT_EQ(Build(4, 4, [](int, int) { return RGB(0, 0, 0); }), nullptr);
}

TEST_F(RegionFixture, ASinglePixelGivesExactlyItsRectangle)
{
    int runs = -1;
    const auto region = Build(7, 5, [](int x, int y) { return x == 3 && y == 2 ? RGB(0, 0, 0) : kKey; }, &runs);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(Rectangles(region.get()), (std::vector<Rect>{{3, 2, 4, 3}}));
    EXPECT_EQ(runs, 1);

    const auto corner = Build(7, 5, [](int x, int y) { return x == 6 && y == 4 ? RGB(9, 9, 9) : kKey; });
    EXPECT_EQ(Rectangles(corner.get()), (std::vector<Rect>{{6, 4, 7, 5}}));
}

TEST_F(RegionFixture, ARunReachingTheRightEdgeEndsThereAndTheNextRowStartsFresh)
{
    // Row 0 is opaque from x = 3 to the edge; row 1 only at x = 0..1.
    int runs = -1;
    const auto region = Build(6, 3, [](int x, int y) {
        if (y == 0)
            return x >= 3 ? RGB(0, 0, 0) : kKey;
        if (y == 1)
            return x < 2 ? RGB(0, 0, 0) : kKey;
        return kKey;
    }, &runs);
    EXPECT_EQ(Rectangles(region.get()), (std::vector<Rect>{{3, 0, 6, 1}, {0, 1, 2, 2}}));
    EXPECT_EQ(runs, 2);

    // A whole opaque row is one run, ending at W.
    const auto full = Build(6, 2, [](int, int y) { return y == 1 ? RGB(1, 1, 1) : kKey; });
    EXPECT_EQ(Rectangles(full.get()), (std::vector<Rect>{{0, 1, 6, 2}}));
}

TEST_F(RegionFixture, AlternatingPixelsGiveOneRectanglePerOpaquePixel)
{
    int runs = -1;
    const auto region = Build(9, 2, [](int x, int y) { return (x + y) % 2 == 1 ? RGB(0, 128, 0) : kKey; }, &runs);
    EXPECT_EQ(Rectangles(region.get()), (std::vector<Rect>{{1, 0, 2, 1},
                                                           {3, 0, 4, 1},
                                                           {5, 0, 6, 1},
                                                           {7, 0, 8, 1},
                                                           {0, 1, 1, 2},
                                                           {2, 1, 3, 2},
                                                           {4, 1, 5, 2},
                                                           {6, 1, 7, 2},
                                                           {8, 1, 9, 2}}));
    EXPECT_EQ(runs, 9);
}

TEST_F(RegionFixture, BothBuildsGiveEqualRegionsOnRandomPictures)
{
    std::mt19937 random(20240607);
    for (int round = 0; round < 12; ++round) {
        const int width = 1 + static_cast<int>(random() % 90);
        const int height = 1 + static_cast<int>(random() % 70);
        // Mostly key or one colour, in runs of random length, plus near-key colours.
        const COLORREF palette[] = {kKey, RGB(0, 0, 0), RGB(254, 0, 255), RGB(255, 1, 255), RGB(40, 200, 90)};
        std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * height);
        for (std::size_t i = 0; i < pixels.size();) {
            const COLORREF color = palette[random() % (round % 3 == 0 ? 2 : 5)];
            for (std::size_t n = 1 + random() % 12; n > 0 && i < pixels.size(); --n)
                pixels[i++] = color;
        }
        pixels[0] = kKey;
        const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; };
        int runs = -1;
        const auto region = Build(width, height, at, &runs);
        const tktest::Pixels expected = PixelsOf(width, height, at);
        SCOPED_TRACE(::testing::Message() << "round " << round << ", " << width << "x" << height);
        ExpectRegionFollowsPicture(region.get(), expected, kKey);
        EXPECT_EQ(runs, CountRuns(expected, kKey));
    }
}

namespace {

// A black disc with a key-coloured hole, and its centre pixel key-coloured
// too, on the key colour: the main window's skin in small.
COLORREF RingPixel(int x, int y)
{
    const double distance = std::hypot(x - 60, y - 45);
    if (x == 60 && y == 45)
        return kKey;
    if (distance <= 40 && distance >= 10)
        return RGB(0, 0, 0);
    if (x >= 100 && y >= 70)
        return RGB(250, 250, 250); // an opaque corner block reaching both far edges
    return kKey;
}

struct SkinnedWindow : ::testing::Test {
    TestForm behind{L"behind", Place(100, 100, 400, 300), RGB(0, 160, 0)};
    TestForm host{L"skinned", Place(150, 150, 160, 130), RGB(0, 0, 200)};
    tk::PictureBox picture;

    void SetUp() override
    {
        behind.ShowAt();
        host.Load();
        host.MovePixels(150, 150);
        // Placed off the corner, with the default sunken border and smaller
        // than the picture, as a layout may leave it.
        picture.Create(host, 5, 7, 100, 80);
        picture.SetPicture(tktest::MakePicture(120, 90, RingPixel));
    }
    tk::unique_hrgn WindowRegion()
    {
        tk::unique_hrgn region(::CreateRectRgn(0, 0, 0, 0));
        if (::GetWindowRgn(host.hWnd(), region.get()) == ERROR)
            return {};
        return region;
    }
};

} // namespace

TEST_F(SkinnedWindow, PreparesThePictureBoxAndCutsTheWindowToThePicture)
{
    ApplySkin(picture, host, 0, L"", 0, 0);
    EXPECT_EQ(picture.Left(), 0);
    EXPECT_EQ(picture.Top(), 0);
    EXPECT_EQ(picture.ScaleMode(), tk::kScalePixels);
    EXPECT_TRUE(picture.AutoRedraw());
    EXPECT_TRUE(picture.AutoSize());
    EXPECT_EQ(picture.BorderStyle(), 0);
    RECT box{};
    ::GetWindowRect(picture.hWnd(), &box);
    EXPECT_EQ(box.right - box.left, 120);
    EXPECT_EQ(box.bottom - box.top, 90);
    EXPECT_EQ(picture.ScaleWidth(), 120);
    EXPECT_EQ(picture.ScaleHeight(), 90);
    EXPECT_EQ(::GetWindowLongW(host.hWnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0) << "alpha 0 asks for no translucency";

    const tktest::Pixels expected = PixelsOf(120, 90, RingPixel);
    const auto region = WindowRegion();
    ASSERT_NE(region, nullptr);
    ExpectRegionFollowsPicture(region.get(), expected, kKey);

    // On screen: the skin where it is opaque, the window behind everywhere else.
    host.Show();
    // Shown once the hole shows what is behind and the disc around it is drawn.
    tktest::PumpUntil([] {
        return tktest::ScreenPixel(150 + 60, 150 + 45) == RGB(0, 160, 0) &&
               tktest::ScreenPixel(150 + 60, 150 + 25) == 0;
    });
    const tktest::Pixels screen = tktest::ReadScreen(Place(150, 150, 160, 130));
    int wrong = 0;
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 160; ++x) {
            const bool inPicture = x < 120 && y < 90;
            const COLORREF want = inPicture && expected.At(x, y) != kKey ? expected.At(x, y) : RGB(0, 160, 0);
            if (screen.At(x, y) != want && ++wrong < 5)
                ADD_FAILURE() << "screen at " << x << "," << y << " is " << std::hex << screen.At(x, y);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(GetScreenPixel(150 + 60, 150 + 45), static_cast<ColorValue>(RGB(0, 160, 0)))
        << "the hole's centre shows what is behind";
    EXPECT_EQ(GetScreenPixel(150 + 60, 150 + 45 - 20), 0) << "the black disc";
}

TEST_F(SkinnedWindow, TakesThePictureFromAFileOnlyWhenTheFileExists)
{
    const auto stripe = [](int x, int y) { return y == 3 && x >= 2 && x < 9 ? RGB(0, 0, 90) : kKey; };
    wchar_t folder[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"tavolisk-skin-test.bmp";
    ASSERT_TRUE(tktest::SaveBmp(PixelsOf(12, 6, stripe), tk::Narrow(file)));

    for (const std::wstring& keep : {std::wstring(), file + L".missing", std::wstring(folder)}) {
        ApplySkin(picture, host, 0, keep, 0, 0);
        const auto region = WindowRegion();
        ASSERT_NE(region, nullptr);
        ExpectRegionFollowsPicture(region.get(), PixelsOf(120, 90, RingPixel), kKey);
    }

    ApplySkin(picture, host, 0, file, 0, 0);
    EXPECT_EQ(picture.ScaleWidth(), 12);
    const auto region = WindowRegion();
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(Rectangles(region.get()), (std::vector<Rect>{{2, 3, 9, 4}}));
    ::DeleteFileW(file.c_str());
}

TEST_F(SkinnedWindow, APictureOfKeyColourOnlyLeavesTheWholeWindow)
{
    ApplySkin(picture, host, 0, L"", 0, 0);
    ASSERT_NE(WindowRegion(), nullptr);
    picture.SetPicture(tktest::MakePicture(120, 90, [](int, int) { return kKey; }));
    ApplySkin(picture, host, 0, L"", 0, 0);
    EXPECT_EQ(WindowRegion(), nullptr) << "a null region takes the window's region away";
}

TEST_F(SkinnedWindow, AlphaGoesToTheWindowOnceShownAndToThePictureBeforeThat)
{
    // Not yet shown: the climb stops at the picture box itself.
    ApplySkin(picture, host, 200, L"", 0, 0);
    EXPECT_EQ(::GetWindowLongW(host.hWnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_NE(::GetWindowLongW(picture.hWnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);

    host.Show();
    tktest::PumpUntil([&] { return ::IsWindowVisible(host.hWnd()) != FALSE; });
    ApplySkin(picture, host, 150, L"", 0, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(host.hWnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 150);
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));

    EXPECT_THROW(ApplySkin(picture, host, 256, L"", 0, 0), tk::OverflowError);
}

namespace {

// The main window's arrangement: a form whose skin picture box holds the
// shipped skin, over a backdrop of a colour the skin does not use.
struct ShippedSkin : ::testing::Test {
    TestForm behind{L"behind", Place(80, 60, 400, 330), RGB(0, 170, 170)};
    TestForm host{L"frmSkin", Place(120, 90, 233, 245), RGB(0, 0, 0)};
    tk::PictureBox picture;
    tktest::Pixels skin;

    void SetUp() override
    {
        const tk::unique_hbitmap bitmap = LoadSkinBitmap();
        ASSERT_NE(bitmap, nullptr);
        skin = tktest::ReadBitmap(bitmap.get());
        behind.ShowAt();
        host.Load();
        host.MovePixels(120, 90);
        picture.Create(host, 0, 0, 231, 243);
        picture.SetPicture(LoadSkinBitmap());
    }
};

double Milliseconds(std::chrono::steady_clock::duration elapsed)
{
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

} // namespace

TEST_F(ShippedSkin, KeyIsMagentaAndTheViewFinderCentreIsCutOut)
{
    ASSERT_EQ(skin.width, 231);
    ASSERT_EQ(skin.height, 243);
    EXPECT_EQ(skin.At(0, 0), kKey);
    ApplySkin(picture, host, 0, L"", 0, 0);
    tk::unique_hrgn region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(host.hWnd(), region.get()), ERROR);
    EXPECT_FALSE(::PtInRegion(region.get(), 45, 121));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx || dy) {
                EXPECT_TRUE(::PtInRegion(region.get(), 45 + dx, 121 + dy)) << "neighbour " << dx << "," << dy;
            }
    EXPECT_TRUE(::PtInRegion(region.get(), 192, 164)) << "the swatch";
    ExpectRegionFollowsPicture(region.get(), skin, kKey);
}

TEST_F(ShippedSkin, CountsItsRunsAndBuildsTheSameRegionBothWays)
{
    ApplySkin(picture, host, 0, L"", 0, 0);
    using Clock = std::chrono::steady_clock;
    double bitmapRead = 1e9;
    double perPixel = 1e9;
    std::int32_t runs = -1;
    std::int32_t runsPerPixel = -1;
    tk::unique_hrgn fromCopy;
    tk::unique_hrgn fromPixels;
    for (int round = 0; round < 3; ++round) {
        auto start = Clock::now();
        fromCopy = MakeRegionFromPicture(picture, 0, 0, &runs);
        bitmapRead = std::min(bitmapRead, Milliseconds(Clock::now() - start));
        start = Clock::now();
        fromPixels = MakeRegionFromPicturePerPixel(picture, 0, 0, &runsPerPixel);
        perPixel = std::min(perPixel, Milliseconds(Clock::now() - start));
    }
    std::printf("shipped skin: %d runs; region built in %.2f ms from one bitmap read, %.2f ms with GetPixel\n",
                static_cast<int>(runs), bitmapRead, perPixel);
    ASSERT_NE(fromCopy, nullptr);
    ASSERT_NE(fromPixels, nullptr);
    EXPECT_TRUE(::EqualRgn(fromCopy.get(), fromPixels.get()));
    EXPECT_EQ(runs, CountRuns(skin, kKey));
    EXPECT_EQ(runsPerPixel, runs);
    EXPECT_GT(runs, 243) << "at least a run on most rows, two where the hole splits them";
}

TEST_F(ShippedSkin, TheScreenShowsWhatIsBehindWhereTheSkinIsCut)
{
    ApplySkin(picture, host, 0, L"", 0, 0);
    host.Show();
    tktest::PumpUntil([&] {
        return tktest::ScreenPixel(120 + 100, 90 + 100) == skin.At(100, 100) &&
               tktest::ScreenPixel(120 + 45, 90 + 121) == RGB(0, 170, 170);
    });
    ASSERT_EQ(::WindowFromPoint({120 + 100, 90 + 100}), picture.hWnd());

    const RECT area = Place(120, 90, 233, 245);
    const tktest::Pixels screen = tktest::ReadScreen(area);
    int wrong = 0;
    for (int y = 0; y < 245; ++y)
        for (int x = 0; x < 233; ++x) {
            const bool opaque = x < 231 && y < 243 && skin.At(x, y) != kKey;
            const COLORREF want = opaque ? skin.At(x, y) : RGB(0, 170, 170);
            if (screen.At(x, y) != want && ++wrong < 5)
                ADD_FAILURE() << "screen at " << x << "," << y << " is " << std::hex << screen.At(x, y);
        }
    EXPECT_EQ(wrong, 0);
    // What the sampling loop reads through the view-finder is the window behind.
    EXPECT_EQ(GetScreenPixel(120 + 45, 90 + 121), static_cast<ColorValue>(RGB(0, 170, 170)));
    behind.SetColor(RGB(255, 255, 0));
    EXPECT_EQ(GetScreenPixel(120 + 45, 90 + 121), static_cast<ColorValue>(RGB(255, 255, 0)));
    EXPECT_EQ(GetScreenPixel(120 + 1, 90 + 1), static_cast<ColorValue>(RGB(255, 255, 0))) << "the cut-off corner";
}
