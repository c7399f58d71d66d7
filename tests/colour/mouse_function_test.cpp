// Cursor and screen-pixel reads against real windows, and the swatch fill
// against a real picture box's persistent image.
#include "colour/mouse_function.h"

#include "toolkit/picturebox.h"
#include "support/all.h"

#include <gtest/gtest.h>

#include <cmath>

using tktest::Place;
using tktest::TestForm;

TEST(GetCursorPosition, ReadsWhereTheCursorWasPut)
{
    // The corners of whatever screen this is, and a point inside it.
    const int right = ::GetSystemMetrics(SM_CXSCREEN) - 1;
    const int bottom = ::GetSystemMetrics(SM_CYSCREEN) - 1;
    for (const POINT where : {POINT{321, 234}, POINT{0, 0}, POINT{right, bottom}, POINT{right, 0}}) {
        ::SetCursorPos(where.x, where.y);
        // Wine hands the move to X and reads the pointer back from there.
        tktest::PumpUntil([&] { return GetCursorX() == where.x && GetCursorY() == where.y; });
        EXPECT_EQ(GetCursorX(), where.x);
        EXPECT_EQ(GetCursorY(), where.y);
    }
}

TEST(GetScreenPixel, ReadsWhatWindowsShowAndFollowsARecolour)
{
    TestForm behind(L"behind", Place(100, 100, 200, 150), RGB(20, 140, 60));
    behind.ShowAt();
    TestForm front(L"front", Place(150, 130, 60, 40), RGB(210, 30, 200));
    front.ShowAt();

    EXPECT_EQ(GetScreenPixel(150, 130), static_cast<ColorValue>(RGB(210, 30, 200)));
    EXPECT_EQ(GetScreenPixel(209, 169), static_cast<ColorValue>(RGB(210, 30, 200)));
    EXPECT_EQ(GetScreenPixel(210, 169), static_cast<ColorValue>(RGB(20, 140, 60))) << "just right of the front window";
    EXPECT_EQ(GetScreenPixel(101, 101), static_cast<ColorValue>(RGB(20, 140, 60)));

    // Each read opens the display anew, so a repaint just made is seen.
    for (const COLORREF color : {RGB(0, 0, 0), RGB(255, 255, 255), RGB(1, 2, 3), RGB(255, 128, 0)}) {
        front.SetColor(color);
        EXPECT_EQ(GetScreenPixel(180, 150), static_cast<ColorValue>(color));
    }
}

namespace {

// A form holding a picture box in pixels, drawn with a white circle on black.
struct FillFixture : ::testing::Test {
    TestForm form{L"fill", Place(300, 200, 140, 140), RGB(90, 90, 90)};
    tk::PictureBox picture;
    tktest::ErrorRecorder errors;

    void SetUp() override
    {
        form.Load();
        tktest::CreatePixelPicture(picture, form, tktest::Place(10, 10, 120, 120), RGB(0, 0, 0));
        picture.Circle(60, 60, 25, RGB(255, 255, 255));
        picture.SetFillStyle(tk::kFillTransparent);
        picture.SetFillColor(RGB(7, 8, 9));
        form.ShowAt();
    }
    tktest::Pixels Image() { return tktest::ReadDC(picture.hdc(), 0, 0, 120, 120); }
    void ExpectFillSettingsKept()
    {
        EXPECT_EQ(picture.FillStyle(), tk::kFillTransparent);
        EXPECT_EQ(picture.FillColor(), RGB(7, 8, 9));
    }
};

} // namespace

TEST_F(FillFixture, FillsOnlyTheInsideOfTheCircleAndShowsIt)
{
    const COLORREF swatch = RGB(10, 20, 200);
    FloodFillPicture(picture, 60, 60, swatch);
    ExpectFillSettingsKept();

    const tktest::Pixels image = Image();
    int inside = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) {
            const double distance = std::hypot(x - 60, y - 60);
            if (distance < 23.5) {
                ++inside;
                ASSERT_EQ(image.At(x, y), swatch) << x << "," << y;
            } else if (distance > 26.5) {
                ASSERT_EQ(image.At(x, y), RGB(0, 0, 0)) << x << "," << y;
            } else {
                const COLORREF c = image.At(x, y);
                ASSERT_TRUE(c == swatch || c == RGB(255, 255, 255) || c == RGB(0, 0, 0)) << x << "," << y;
            }
        }
    EXPECT_GT(inside, 1600);
    EXPECT_EQ(image.At(85, 60), RGB(255, 255, 255)) << "the outline stays white";

    // The user sees it: the window shows the persistent image.
    const POINT centre = form.ScreenPoint(10 + 60, 10 + 60);
    tktest::PumpUntil([&] { return tktest::ScreenPixel(centre.x, centre.y) == swatch; });
    EXPECT_EQ(tktest::ScreenPixel(centre.x, centre.y), swatch);
    EXPECT_EQ(tktest::ScreenPixel(centre.x + 40, centre.y), RGB(0, 0, 0));

    // The next colour replaces the swatch, up to the same outline.
    FloodFillPicture(picture, 60, 60, RGB(250, 250, 0));
    EXPECT_EQ(Image().At(60, 60), RGB(250, 250, 0));
    EXPECT_EQ(Image().At(60, 84), RGB(250, 250, 0));
    EXPECT_EQ(Image().At(60, 90), RGB(0, 0, 0));
    EXPECT_TRUE(errors.Numbers.empty());
}

TEST_F(FillFixture, TakesItsPointInTheScaleUnitsOfThePicture)
{
    picture.SetScaleMode(tk::kScaleTwips);
    const double perPixel = picture.ScaleX(1, tk::kScalePixels, tk::kScaleTwips);
    FloodFillPicture(picture, static_cast<std::int32_t>(60 * perPixel), static_cast<std::int32_t>(60 * perPixel),
                     RGB(0, 200, 0));
    EXPECT_EQ(Image().At(60, 60), RGB(0, 200, 0));
    EXPECT_EQ(picture.ScaleMode(), tk::kScaleTwips);
    ExpectFillSettingsKept();
}

TEST_F(FillFixture, FillsUpToABorderColourWhenGivenOne)
{
    // Paint a red spot inside the circle: a surface fill would stop at it,
    // a fill up to the white border covers it.
    picture.Box(55, 55, 58, 58, RGB(255, 0, 0));
    FloodFillPicture(picture, 60, 60, RGB(0, 0, 255), RGB(255, 255, 255));
    const tktest::Pixels image = Image();
    EXPECT_EQ(image.At(55, 55), RGB(0, 0, 255));
    EXPECT_EQ(image.At(60, 60), RGB(0, 0, 255));
    EXPECT_EQ(image.At(85, 60), RGB(255, 255, 255));
    EXPECT_EQ(image.At(100, 60), RGB(0, 0, 0));
    ExpectFillSettingsKept();
}

TEST_F(FillFixture, OutsideTheImageChangesNothingAndKeepsTheSettings)
{
    const tktest::Pixels before = Image();
    for (const POINT point : {POINT{500, 60}, POINT{60, 500}, POINT{-5, 60}, POINT{120, 120}}) {
        FloodFillPicture(picture, point.x, point.y, RGB(10, 20, 200));
        EXPECT_EQ(Image(), before) << point.x << "," << point.y;
        ExpectFillSettingsKept();
    }
    EXPECT_TRUE(errors.Numbers.empty());
}

TEST_F(FillFixture, AnInvalidColourChangesNothingVisibleAndRaisesNothing)
{
    FloodFillPicture(picture, 60, 60, RGB(10, 20, 200));
    const tktest::Pixels before = Image();
    const POINT centre = form.ScreenPoint(70, 70);
    tktest::PumpUntil([&] { return tktest::ScreenPixel(centre.x, centre.y) == RGB(10, 20, 200); });
    EXPECT_NO_THROW(FloodFillPicture(picture, 60, 60, -1));
    EXPECT_EQ(Image(), before);
    tk::DoEvents(); // whatever was drawn reaches the screen once the queue is empty
    EXPECT_EQ(tktest::ScreenPixel(centre.x, centre.y), RGB(10, 20, 200));
    ExpectFillSettingsKept();
    EXPECT_TRUE(errors.Numbers.empty());

    // The same when the picture was already set to fill solid.
    picture.SetFillStyle(tk::kFillSolid);
    EXPECT_NO_THROW(FloodFillPicture(picture, 60, 60, 0x1000000));
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(picture.FillStyle(), tk::kFillSolid);
    EXPECT_EQ(picture.FillColor(), RGB(7, 8, 9));
}

TEST_F(FillFixture, TheColourAlreadyThereLeavesTheImageAsItWas)
{
    FloodFillPicture(picture, 60, 60, RGB(10, 20, 200));
    const tktest::Pixels before = Image();
    FloodFillPicture(picture, 60, 60, RGB(10, 20, 200));
    EXPECT_EQ(Image(), before);
}
