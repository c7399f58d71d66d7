// The zoom lens as the user sees it: opened from the menu beside the main
// window, its magnified cells showing the chart under the view-finder pixel
// for pixel, the sampled pixel outlined in a contrasting colour, following
// every sample (frozen under Lock), and closed by the item, Esc or its mark.
#include "colour/contrast.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/zoom_lens.h"
#include "support/all.h"
#include "winservices/api_window.h"

#include <gtest/gtest.h>

using tktest::PatternChart;

namespace {

class Lens : public tktest::WindowTest {
protected:
    tktest::MenuSeen ChooseZoom(FrmMain& main)
    {
        // Zoom, just above Exit.
        return tktest::AnswerMenu({VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN}, [&] { main.ShowPopupMenu(); });
    }

    // Each cell of the lens on screen against the chart pixel it magnifies,
    // for the block centred on `sample`, taken with the main window's corner
    // at `corner`. Where the system cannot leave a window out of screen
    // copies (Wine), the cells under the main window's own crosshair show the
    // crosshair: they are left out, and so are the cells under the close
    // mark. Waits for the lens to show them (it reads on its own timer, and
    // the screen shows its drawing only after a while), then compares them
    // one by one. Returns how many cells were compared.
    int ExpectLensShows(FrmMain& main, POINT corner, const char* when)
    {
        tktest::PumpUntil([&] { return LensCells(main, corner, nullptr) == 0; });
        return LensCells(main, corner, when);
    }
    // How many cells are wrong; with `when`, each is reported, and the
    // count is of the cells compared.
    int LensCells(FrmMain& main, POINT corner, const char* when)
    {
        ZoomLens& lens = *frmZoom;
        const int cell = lens.CellSize();
        const tktest::Pixels shown = tktest::ReadClient(lens.hWnd(), tktest::ClientRectOf(lens.hWnd()));
        const POINT sample{corner.x + FrmMain::kSampleX, corner.y + FrmMain::kSampleY};
        const tk::unique_hrgn region(::CreateRectRgn(0, 0, 0, 0));
        ::GetWindowRgn(main.hWnd(), region.get());
        constexpr int kHalf = ZoomLens::kBlock / 2;
        int compared = 0;
        int wrong = 0;
        for (int row = 0; row < ZoomLens::kBlock; ++row) {
            for (int column = 0; column < ZoomLens::kBlock; ++column) {
                if (row < 3 && column >= ZoomLens::kBlock - 3)
                    continue; // the close mark
                const int x = sample.x - kHalf + column;
                const int y = sample.y - kHalf + row;
                if (::PtInRegion(region.get(), x - corner.x, y - corner.y))
                    continue;
                const COLORREF lensPixel = shown.At(column * cell + cell / 2, row * cell + cell / 2);
                wrong += lensPixel != PatternChart::ColourAt(x, y);
                if (when) {
                    EXPECT_EQ(lensPixel, PatternChart::ColourAt(x, y)) << when << ": cell " << column << "," << row;
                }
                ++compared;
            }
        }
        // The sampled pixel is outlined just outside its cell, in black or
        // white, whichever contrasts more with it.
        const COLORREF centre = PatternChart::ColourAt(sample.x, sample.y);
        const COLORREF outline = shown.At(kHalf * cell - 1, kHalf * cell + cell / 2);
        const bool blackContrastsMore = ContrastRatio(static_cast<ColorValue>(centre), 0) >=
                                        ContrastRatio(static_cast<ColorValue>(centre), 0xFFFFFF);
        const COLORREF ink = blackContrastsMore ? RGB(0, 0, 0) : RGB(255, 255, 255);
        wrong += outline != ink;
        if (!when)
            return wrong;
        EXPECT_EQ(outline, ink) << when;
        return compared;
    }
};

} // namespace

TEST_F(Lens, MagnifiesTheChartUnderTheViewFinderAndFollowsEverySample)
{
    PatternChart chart;
    // The chart reaches the screen from the message loop: the lens, which
    // reads when it opens, must not find the screen before it.
    tktest::PumpUntil([] { return tktest::ScreenPixel(900, 700) == PatternChart::ColourAt(900, 700); });
    FrmMain& main = *frmMain;
    main.Show();
    ::SetForegroundWindow(main.hWnd());
    ChooseZoom(main);
    ASSERT_TRUE(IsZoomLensOpen());
    const HWND lens = frmZoom->hWnd();

    // Small, topmost, borderless, beside the main window, and the keys stay
    // with the main window.
    EXPECT_TRUE(::IsWindowVisible(lens));
    EXPECT_TRUE(::GetWindowLongW(lens, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetWindowLongW(lens, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);
    RECT lensRect{};
    RECT mainRect{};
    RECT overlap{};
    ::GetWindowRect(lens, &lensRect);
    ::GetWindowRect(main.hWnd(), &mainRect);
    EXPECT_FALSE(::IntersectRect(&overlap, &lensRect, &mainRect));
    EXPECT_EQ(lensRect.right - lensRect.left, ZoomLens::kBlock * ZoomLens::kZoom); // at 96 dpi
    EXPECT_EQ(::GetForegroundWindow(), main.hWnd());

    const POINT first = main.PositionPixels();
    EXPECT_GE(ExpectLensShows(main, first, "opened"), 150);

    // A nudge is a sample: the lens moves on with it.
    tktest::Keystroke({VK_RIGHT});
    const POINT second = main.PositionPixels();
    ASSERT_EQ(second.x, first.x + 1);
    ExpectLensShows(main, second, "after a nudge");

    // Locked, the window moves but the lens keeps the block it showed.
    tktest::AnswerMenu({VK_DOWN, VK_RETURN}, [&] { main.ShowPopupMenu(); }); // Lock
    ASSERT_TRUE(main.LockUpdateInfo());
    tktest::Keystroke({VK_SHIFT, VK_DOWN});
    ASSERT_EQ(main.PositionPixels().y, second.y + 10);
    // Nothing should change: the lens is given longer than its own settle
    // time (it reads again 100 ms after a move) to show a change it should not make.
    constexpr int kOutlastTheLensSettle = 150;
    tktest::Pump(kOutlastTheLensSettle);
    ExpectLensShows(main, second, "locked");
    tktest::AnswerMenu({VK_DOWN, VK_RETURN}, [&] { main.ShowPopupMenu(); }); // unlock

    // Closed by the item again, which shows it checked while open...
    const tktest::MenuSeen open = ChooseZoom(main);
    ASSERT_EQ(open.checked.size(), tktest::ExpectedMenuCaptions().size());
    EXPECT_TRUE(open.checked[9]);
    EXPECT_FALSE(IsZoomLensOpen());
    EXPECT_FALSE(::IsWindow(lens));

    // ...by Esc...
    ChooseZoom(main);
    ASSERT_TRUE(IsZoomLensOpen());
    tktest::Keystroke({VK_ESCAPE});
    EXPECT_FALSE(IsZoomLensOpen());

    // ...and by a click on its own close mark.
    ChooseZoom(main);
    ASSERT_TRUE(IsZoomLensOpen());
    RECT client{};
    ::GetClientRect(frmZoom->hWnd(), &client);
    POINT mark{client.right - 6, 6};
    ::ClientToScreen(frmZoom->hWnd(), &mark);
    ASSERT_EQ(::WindowFromPoint(mark), frmZoom->hWnd());
    tktest::Click(mark);
    EXPECT_TRUE(tktest::PumpUntil([] { return !IsZoomLensOpen(); }));
    EXPECT_TRUE(IsFormLoaded(L"frmMain"));
}
