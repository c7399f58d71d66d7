// The zoom lens on any monitor and scale, and out of the way of the keys:
// placed beside the picker on the picker's own monitor (monitors put in by
// the test, as Wine here shows one), laid out again when its scale changes,
// never activated by a click or a drag (real input), and leaving the picker
// out of screen copies only where the system can (the build put in).
#include "mainwindow/frm_main.h"
#include "mainwindow/zoom_lens.h"
#include "support/all.h"
#include "toolkit/screen.h"
#include "winservices/capture_exclusion.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class LensPlacement : public tktest::InjectedPlatform {
protected:
    void TearDown() override
    {
        tktest::InjectedPlatform::TearDown();
        SetCapturePlatform(nullptr);
    }
    static FrmMain& ShowPicker(POINT corner)
    {
        FrmMain& main = *frmMain;
        main.MovePixels(corner.x, corner.y);
        main.Show();
        tktest::WaitPainted(main.hWnd());
        return main;
    }
    // Through the menu's Zoom item, as the user opens it.
    static RECT OpenLens(FrmMain& main)
    {
        tktest::AnswerMenu({VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN}, [&] { main.ShowPopupMenu(); }); // Zoom
        tktest::PumpUntil([] { return IsZoomLensOpen() && ::IsWindowVisible(frmZoom->hWnd()); });
        RECT lens{};
        if (IsZoomLensOpen())
            ::GetWindowRect(frmZoom->hWnd(), &lens);
        return lens;
    }
};

RECT Outer(HWND window)
{
    RECT outer{};
    ::GetWindowRect(window, &outer);
    return outer;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

struct AffinityCall {
    HWND window;
    DWORD affinity;
};
std::vector<AffinityCall> g_affinityCalls;
DWORD g_build = 0;
DWORD PretendBuild() noexcept { return g_build; }
BOOL WINAPI RecordAffinity(HWND window, DWORD affinity)
{
    g_affinityCalls.push_back({window, affinity});
    return TRUE;
}

} // namespace

TEST_F(LensPlacement, OpensBesideThePickerOnThePickersMonitor)
{
    // The primary, one left of it reaching above, one above it wider than the primary.
    using tktest::kPrimary;
    constexpr RECT kLeft = tktest::kLeftMonitor;
    constexpr RECT kAbove{0, -1080, 1920, 0};
    tk::Screen::SetMonitorSource([] { return std::vector<RECT>{kPrimary, kLeft, kAbove}; });
    struct Case {
        POINT corner;
        const RECT& monitor;
        bool onTheRight;
    };
    const Case cases[] = {
        {{-240, -190}, kLeft, false},  // no room on the right before the primary begins
        {{1500, -600}, kAbove, true},  // right of where the primary ends
        {{1700, -600}, kAbove, false}, // at the right edge of the upper monitor
    };
    FrmMain& main = ShowPicker({100, 100});
    for (const Case& c : cases) {
        main.MovePixels(c.corner.x, c.corner.y);
        const RECT picker = Outer(main.hWnd());
        const RECT lens = OpenLens(main);
        ASSERT_TRUE(IsZoomLensOpen());
        const int sampleY = c.corner.y + main.SampleOffset().y;
        EXPECT_TRUE(Inside(lens, c.monitor)) << "picker at " << c.corner.x << "," << c.corner.y << ": lens at "
                                             << lens.left << "," << lens.top;
        if (c.onTheRight)
            EXPECT_EQ(lens.left, picker.right + 8) << c.corner.x;
        else
            EXPECT_EQ(lens.right, picker.left - 8) << c.corner.x;
        EXPECT_EQ((lens.top + lens.bottom) / 2, sampleY) << "level with the view-finder";
        CloseZoomLens();
        tk::CollectRetiredForms();
    }
}

TEST_F(LensPlacement, LaysItselfOutAgainAtAnotherScale)
{
    FrmMain& main = ShowPicker({200, 200});
    const RECT before = OpenLens(main);
    ASSERT_TRUE(IsZoomLensOpen());
    ZoomLens& lens = *frmZoom;
    ASSERT_EQ(before.right - before.left, ZoomLens::kBlock * ZoomLens::kZoom);

    // What the system sends when the lens is dragged onto a monitor at 150 %.
    RECT suggested{before.left + 20, before.top + 10, before.left + 200, before.top + 190};
    ::SendMessageW(lens.hWnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    tktest::WaitPainted(lens.hWnd());
    const RECT after = Outer(lens.hWnd());
    EXPECT_EQ(after.left, suggested.left);
    EXPECT_EQ(after.top, suggested.top);
    EXPECT_EQ(after.right - after.left, ZoomLens::kBlock * tk::Scale(ZoomLens::kZoom, 144));
    EXPECT_EQ(after.bottom - after.top, ZoomLens::kBlock * tk::Scale(ZoomLens::kZoom, 144));
    EXPECT_EQ(lens.CellSize(), tk::Scale(ZoomLens::kZoom, 144));
}

TEST_F(LensPlacement, AClickOrADragOnTheLensLeavesTheKeysWithThePicker)
{
    FrmMain& main = ShowPicker({200, 200});
    ::SetForegroundWindow(main.hWnd());
    const RECT lens = OpenLens(main);
    ASSERT_TRUE(IsZoomLensOpen());
    ASSERT_EQ(::GetForegroundWindow(), main.hWnd());
    const POINT middle{(lens.left + lens.right) / 2, (lens.top + lens.bottom) / 2};
    ASSERT_EQ(::WindowFromPoint(middle), frmZoom->hWnd());

    tktest::Click(middle);
    const POINT corner = main.PositionPixels();
    tktest::PressKey(VK_RIGHT);
    EXPECT_TRUE(tktest::PumpUntil([&] { return main.PositionPixels().x == corner.x + 1; }, 2000))
        << "after a click on the lens, Right still nudges the picker";

    // Dragged by hand, it follows the mouse and the keys stay where they were.
    EXPECT_TRUE(tktest::DragFromThread(middle, {middle.x + 40, middle.y + 30}));
    const RECT dragged = Outer(frmZoom->hWnd());
    EXPECT_EQ(dragged.left, lens.left + 40);
    EXPECT_EQ(dragged.top, lens.top + 30);
    tktest::PressKey(VK_RIGHT);
    EXPECT_TRUE(tktest::PumpUntil([&] { return main.PositionPixels().x == corner.x + 2; }, 2000))
        << "after a drag of the lens, Right still nudges the picker";
}

TEST_F(LensPlacement, LeavesThePickerOutOfScreenCopiesOnlyFromWindows10Version2004)
{
    static const CapturePlatform platform{&PretendBuild, &RecordAffinity};
    SetCapturePlatform(&platform);
    FrmMain& main = ShowPicker({200, 200});
    for (const DWORD build : {7601ul, 18363ul, 19041ul, 22631ul}) {
        g_build = build;
        g_affinityCalls.clear();
        OpenLens(main);
        ASSERT_TRUE(IsZoomLensOpen());
        CloseZoomLens();
        tk::CollectRetiredForms();
        if (build < 19041) {
            // The same request there blacks the picker out of every copy, the lens's too.
            EXPECT_TRUE(g_affinityCalls.empty()) << "build " << build;
            continue;
        }
        ASSERT_EQ(g_affinityCalls.size(), 2u) << "build " << build;
        EXPECT_EQ(g_affinityCalls[0].window, main.hWnd());
        EXPECT_EQ(g_affinityCalls[0].affinity, 0x11u) << "left out while the lens is open";
        EXPECT_EQ(g_affinityCalls[1].affinity, 0u) << "and back in when it closes";
    }
}
