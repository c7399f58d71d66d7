// Each picker's windows are its own, handed over and never looked up by
// name: a second picker beside the default one opens the advanced view on
// its own monitor, owns the lens it opens and samples again after its own
// nudge. The second monitor is put in by the test (Wine here shows one).
#include "advanced/frm_advanced.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/zoom_lens.h"
#include "support/all.h"
#include "toolkit/screen.h"
#include "winservices/api_window.h"

#include <gtest/gtest.h>

namespace {

using PickerOwners = tktest::TwoMonitors;
using tktest::kLeftMonitor;

} // namespace

TEST_F(PickerOwners, ASecondPickerPlacesTheAdvancedViewOwnsItsLensAndSettlesItsOwnNudge)
{
    FrmMain& first = *frmMain; // the default instance, on the primary
    first.MovePixels(100, 100);
    first.Show();
    FrmMain second;
    second.Load();
    second.MovePixels(-700, 300);
    second.Show();
    int reads = 0;
    second.SetPixelReader([&reads](std::int32_t, std::int32_t) {
        ++reads;
        return static_cast<ColorValue>(RGB(1, 2, 3));
    });
    tktest::WaitPainted(second.hWnd());

    // Advanced view... from the second picker's menu: on the second's monitor.
    tktest::AnswerMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, [&] { second.ShowPopupMenu(); });
    ASSERT_TRUE(tktest::PumpUntil([] { return IsFormLoaded(L"frmAdvanced"); }));
    const POINT advanced = frmAdvanced->PositionPixels();
    EXPECT_EQ(advanced.x, kLeftMonitor.left + (kLeftMonitor.right - kLeftMonitor.left) / 8);
    EXPECT_EQ(advanced.y, kLeftMonitor.top + (kLeftMonitor.bottom - kLeftMonitor.top) / 8);
    frmAdvanced->Unload();

    // Zoom from the second picker's menu: the lens is that picker's.
    tktest::AnswerMenu({VK_UP, VK_UP, VK_UP, VK_UP, VK_RETURN}, [&] { second.ShowPopupMenu(); });
    ASSERT_TRUE(IsZoomLensOpen());
    EXPECT_EQ(::GetWindow(frmZoom->hWnd(), GW_OWNER), second.hWnd());
    CloseZoomLens();

    // An arrow samples at once and again once the screen has settled.
    second.MovePixels(600, 300);
    ::SetForegroundWindow(second.hWnd());
    ASSERT_TRUE(tktest::PumpUntil([&] { return ::GetForegroundWindow() == second.hWnd(); }));
    reads = 0;
    tktest::PressKey(VK_RIGHT);
    EXPECT_TRUE(tktest::PumpUntil([&] { return reads >= 2; }, 2000)) << reads << " samples";
    EXPECT_EQ(second.PositionPixels().x, 601);
    second.Unload();
}
