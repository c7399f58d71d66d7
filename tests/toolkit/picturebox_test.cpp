// The picture box's persistent image: drawing methods checked pixel by pixel
// in the image, and what the window shows read back from the screen.
#include "toolkit/picturebox.h"

#include "support/all.h"

#include <gtest/gtest.h>

using tktest::Place;
using tktest::TestForm;

namespace {

constexpr COLORREF kBack = RGB(0, 0, 128);

struct Drawing : ::testing::Test {
    TestForm form{L"drawing", Place(300, 150, 200, 160), RGB(255, 255, 255)};
    tk::PictureBox picture;

    void SetUp() override
    {
        form.Load();
        form.MovePixels(300, 150);
        tktest::CreatePixelPicture(picture, form, tktest::Place(10, 10, 160, 120), kBack);
        form.ShowAt();
    }
    COLORREF At(int x, int y) { return picture.Point(x, y); }
    tktest::Pixels Image() { return tktest::ReadDC(picture.hdc(), 0, 0, 160, 120); }
    // What the window shows, once it shows the persistent image (or the wait is over).
    tktest::Pixels Screen()
    {
        const POINT corner = form.ScreenPoint(10, 10);
        const auto shown = [&] { return tktest::ReadScreen(Place(corner.x, corner.y, 160, 120)); };
        tktest::PumpUntil([&] { return shown() == Image(); });
        return shown();
    }
};

} // namespace

TEST_F(Drawing, ThePersistentImageSurvivesBeingCovered)
{
    picture.Box(5, 5, 60, 40, RGB(255, 0, 0));
    picture.Line(0, 100, 159, 60, RGB(0, 255, 0));
    picture.Circle(110, 60, 30, RGB(255, 255, 255));
    const tktest::Pixels image = Image();
    EXPECT_EQ(Screen(), image) << "the window shows what was drawn";

    {
        const POINT corner = form.ScreenPoint(0, 0);
        TestForm cover(L"cover", Place(corner.x + 20, corner.y + 20, 150, 100), RGB(255, 255, 0));
        cover.ShowAt();
        EXPECT_EQ(tktest::ScreenPixel(corner.x + 40, corner.y + 40), RGB(255, 255, 0));
    }
    EXPECT_EQ(Screen(), image) << "and shows it again once uncovered";
}

TEST_F(Drawing, LineLeavesOutItsEndPointAndInvertModeInverts)
{
    picture.Line(10, 20, 50, 20, RGB(255, 0, 0));
    for (int x = 10; x < 50; ++x)
        ASSERT_EQ(At(x, 20), RGB(255, 0, 0)) << x;
    EXPECT_EQ(At(50, 20), kBack);
    EXPECT_EQ(At(9, 20), kBack);

    // Across the background and the red line: each pixel becomes its inverse,
    // whatever colour the line is given, and a second pass undoes it.
    picture.SetDrawMode(tk::kDrawInvert);
    picture.Line(30, 10, 30, 40, RGB(0, 255, 0));
    EXPECT_EQ(At(30, 15), RGB(255, 255, 127));
    EXPECT_EQ(At(30, 20), RGB(0, 255, 255));
    const tktest::Pixels screen = Screen();
    EXPECT_EQ(screen.At(30, 15), RGB(255, 255, 127));
    EXPECT_EQ(screen.At(30, 20), RGB(0, 255, 255));
    picture.Line(30, 10, 30, 40, RGB(0, 0, 0));
    EXPECT_EQ(At(30, 15), kBack);
    EXPECT_EQ(At(30, 20), RGB(255, 0, 0));

    // Back in copy mode the pen's colour is drawn as it is.
    picture.SetDrawMode(tk::kDrawCopyPen);
    picture.Line(30, 10, 30, 40, RGB(0, 255, 0));
    EXPECT_EQ(At(30, 20), RGB(0, 255, 0));
}

TEST_F(Drawing, BoxIsAnOutlineThatIncludesBothCorners)
{
    picture.SetFillStyle(tk::kFillSolid);
    picture.SetFillColor(RGB(255, 255, 0));
    picture.Box(60, 70, 20, 40, RGB(0, 255, 0)); // corners in any order
    for (const POINT corner : {POINT{20, 40}, POINT{60, 40}, POINT{20, 70}, POINT{60, 70}})
        EXPECT_EQ(At(corner.x, corner.y), RGB(0, 255, 0)) << corner.x << "," << corner.y;
    EXPECT_EQ(At(40, 40), RGB(0, 255, 0));
    EXPECT_EQ(At(20, 55), RGB(0, 255, 0));
    EXPECT_EQ(At(61, 70), kBack);
    EXPECT_EQ(At(60, 71), kBack);
    EXPECT_EQ(At(19, 40), kBack);
    EXPECT_EQ(At(40, 55), kBack) << "the inside is not filled";

    // Boxes one pixel wide or high, and a single point.
    picture.Box(5, 90, 40, 90, RGB(255, 0, 0));
    EXPECT_EQ(At(5, 90), RGB(255, 0, 0));
    EXPECT_EQ(At(40, 90), RGB(255, 0, 0));
    EXPECT_EQ(At(41, 90), kBack);
    picture.Box(100, 10, 100, 30, RGB(255, 0, 0));
    EXPECT_EQ(At(100, 10), RGB(255, 0, 0));
    EXPECT_EQ(At(100, 30), RGB(255, 0, 0));
    EXPECT_EQ(At(100, 31), kBack);
    picture.Box(120, 100, 120, 100, RGB(255, 0, 0));
    EXPECT_EQ(At(120, 100), RGB(255, 0, 0));
    EXPECT_EQ(At(121, 100), kBack);

    // Inverting, every outline pixel is touched once: twice restores all.
    const tktest::Pixels before = Image();
    picture.SetDrawMode(tk::kDrawInvert);
    picture.Box(10, 10, 150, 110, RGB(0, 0, 0));
    picture.Box(30, 90, 70, 90, RGB(0, 0, 0));
    EXPECT_EQ(At(10, 10), RGB(255, 255, 127));
    EXPECT_EQ(At(150, 110), RGB(255, 255, 127));
    EXPECT_EQ(At(35, 90), RGB(0, 255, 255)) << "over the red line";
    EXPECT_EQ(At(50, 90), RGB(255, 255, 127));
    picture.Box(10, 10, 150, 110, RGB(0, 0, 0));
    picture.Box(30, 90, 70, 90, RGB(0, 0, 0));
    EXPECT_EQ(Image(), before);
}

TEST_F(Drawing, CircleIsAnOutlineUnlessTheFillIsSolid)
{
    picture.Circle(50, 60, 20, RGB(255, 255, 255));
    for (const POINT rim : {POINT{70, 60}, POINT{30, 60}, POINT{50, 40}, POINT{50, 80}})
        EXPECT_EQ(At(rim.x, rim.y), RGB(255, 255, 255)) << rim.x << "," << rim.y;
    EXPECT_EQ(At(50, 60), kBack);
    EXPECT_EQ(At(60, 60), kBack);
    EXPECT_EQ(At(71, 60), kBack);
    EXPECT_EQ(At(50, 81), kBack);

    picture.SetFillStyle(tk::kFillSolid);
    picture.SetFillColor(RGB(200, 100, 0));
    picture.Circle(120, 60, 20, RGB(255, 255, 255));
    EXPECT_EQ(At(120, 60), RGB(200, 100, 0));
    EXPECT_EQ(At(135, 60), RGB(200, 100, 0));
    EXPECT_EQ(At(140, 60), RGB(255, 255, 255));
    EXPECT_EQ(At(141, 60), kBack);
    EXPECT_EQ(Screen().At(120, 60), RGB(200, 100, 0));
}

TEST_F(Drawing, TwipsAreConvertedWithTheScreensFactor)
{
    EXPECT_EQ(picture.ScaleWidth(), 160);
    EXPECT_EQ(picture.ScaleHeight(), 120);
    picture.Box(10, 20, 10, 20, RGB(255, 0, 0)); // one pixel
    picture.SetScaleMode(tk::kScaleTwips);
    const double perPixel = picture.ScaleX(1, tk::kScalePixels, tk::kScaleTwips);
    EXPECT_EQ(perPixel, 1440 / ::GetDeviceCaps(tk::WindowDC(), LOGPIXELSX));
    EXPECT_EQ(picture.ScaleWidth(), 160 * perPixel);
    EXPECT_EQ(picture.ScaleX(picture.ScaleWidth(), tk::kScaleTwips, tk::kScalePixels), 160);
    EXPECT_EQ(picture.Point(10 * perPixel, 20 * perPixel), static_cast<long>(RGB(255, 0, 0)));
    EXPECT_EQ(picture.Point(11 * perPixel, 20 * perPixel), static_cast<long>(kBack));
    EXPECT_EQ(picture.Point(160 * perPixel, 0), -1) << "outside the image";
    EXPECT_EQ(picture.Point(0, -perPixel), -1);
    picture.Line(0, 50 * perPixel, 40 * perPixel, 50 * perPixel, RGB(0, 255, 0));
    picture.SetScaleMode(tk::kScalePixels);
    EXPECT_EQ(At(39, 50), RGB(0, 255, 0));
    EXPECT_EQ(At(40, 50), kBack);
}

TEST_F(Drawing, ClsShowsTheBackColourAndThePictureAgain)
{
    picture.Line(0, 0, 100, 100, RGB(255, 0, 0));
    picture.Cls();
    EXPECT_EQ(At(50, 50), kBack);

    picture.SetPicture(tktest::MakePicture(40, 30, [](int x, int) { return x < 20 ? RGB(9, 9, 9) : RGB(99, 99, 99); }));
    EXPECT_EQ(At(5, 5), RGB(9, 9, 9));
    EXPECT_EQ(At(25, 5), RGB(99, 99, 99));
    EXPECT_EQ(At(45, 5), kBack);
    picture.Box(0, 0, 39, 29, RGB(255, 0, 0));
    picture.Cls();
    EXPECT_EQ(At(0, 0), RGB(9, 9, 9));
    EXPECT_EQ(Screen().At(25, 5), RGB(99, 99, 99));

    picture.SetBackColor(RGB(0, 128, 0));
    EXPECT_EQ(At(45, 5), RGB(0, 128, 0));
    EXPECT_EQ(At(25, 5), RGB(99, 99, 99));
}

TEST_F(Drawing, DrawingThroughTheDeviceContextFollowsTheSettingsAndShows)
{
    // Whatever the methods left behind, the DC draws as DrawMode and the
    // fill settings say now.
    picture.SetDrawMode(tk::kDrawInvert);
    picture.Line(0, 0, 10, 0, RGB(0, 0, 0));
    picture.SetDrawMode(tk::kDrawCopyPen);
    picture.SetFillStyle(tk::kFillSolid);
    picture.SetFillColor(RGB(0, 200, 200));
    const HDC dc = picture.hdc();
    const tk::unique_hpen pen(::CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    {
        const tk::SelectGuard selectPen(dc, pen.get());
        ::Rectangle(dc, 100, 50, 130, 80);
    }
    EXPECT_EQ(At(100, 50), RGB(255, 0, 0)) << "copied, not inverted";
    EXPECT_EQ(At(115, 65), RGB(0, 200, 200)) << "filled with FillColor";
    EXPECT_EQ(Screen().At(115, 65), RGB(0, 200, 200));

    picture.SetFillStyle(tk::kFillTransparent);
    const HDC again = picture.hdc();
    ::Rectangle(again, 10, 50, 40, 80);
    EXPECT_EQ(At(25, 65), kBack) << "a transparent fill paints no inside";
    EXPECT_EQ(Screen().At(10, 50), RGB(0, 0, 0));
}
