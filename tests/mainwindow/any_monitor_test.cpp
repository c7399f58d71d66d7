// The picker on monitors Wine here cannot show: one left of the primary and
// reaching above it. The monitors and the screen read are put in by the test;
// the windows, their placement and the sampling are the program's own.
#include "advanced/frm_advanced.h"
#include "colour/mouse_function.h"
#include "info/frm_help.h"
#include "mainwindow/frm_main.h"
#include "support/all.h"
#include "toolkit/screen.h"
#include "winservices/api_window.h"

#include <gtest/gtest.h>


namespace {

using tktest::kLeftMonitor;
using tktest::kPrimary;
constexpr COLORREF kLeftColour = RGB(200, 100, 0);

HDC OpenMemoryDC() { return ::CreateCompatibleDC(nullptr); }
// The left monitor shows one colour; the primary is read for real.
COLORREF ReadPretend(HDC, int x, int y)
{
    if (x < 0)
        return kLeftColour;
    const HDC screen = ::GetDC(nullptr);
    const COLORREF color = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return color;
}

class AnyMonitor : public tktest::TwoMonitors {
protected:
    void SetUp() override
    {
        static const ScreenReadPlatform platform{&OpenMemoryDC, &OpenMemoryDC, &ReadPretend};
        SetScreenReadPlatform(&platform);
        tktest::TwoMonitors::SetUp();
        m_backdrop.Paint(RGB(0, 128, 0));
    }
    void TearDown() override
    {
        tktest::TwoMonitors::TearDown();
        SetScreenReadPlatform(nullptr);
    }
    tktest::Backdrop m_backdrop;
};

SIZE SizeOf(HWND window)
{
    RECT outer{};
    ::GetWindowRect(window, &outer);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

} // namespace

TEST_F(AnyMonitor, SamplingTheAdvancedViewAndTheHelpFollowTheMonitors)
{
    FrmMain& main = *frmMain;
    main.Show();
    EXPECT_TRUE(tktest::PumpUntil([&] { return main.LastColor() == static_cast<ColorValue>(RGB(0, 128, 0)); }));

    // Left of and above the primary: negative coordinates sample like any others.
    main.MovePixels(-400, -150);
    main.RefreshColor();
    EXPECT_EQ(main.LastColor(), static_cast<ColorValue>(kLeftColour));
    EXPECT_EQ(main.FieldText(0), L"#C86400");

    // The view-finder below the left monitor, beside the shorter primary: no pixel there.
    main.MovePixels(-400, 824 - FrmMain::kSampleY);
    main.RefreshColor();
    EXPECT_EQ(main.LastColor(), -1);
    EXPECT_EQ(main.FieldText(1), L"-1");

    // The advanced view first opens on the main window's monitor.
    main.MovePixels(-700, 300);
    frmAdvanced->ShowWindow(RGB(1, 2, 3), main.hWnd());
    const POINT eighth{kLeftMonitor.left + (kLeftMonitor.right - kLeftMonitor.left) / 8,
                       kLeftMonitor.top + (kLeftMonitor.bottom - kLeftMonitor.top) / 8};
    EXPECT_TRUE(tktest::PumpUntil([&] { return tktest::WindowAt(frmAdvanced->hWnd(), eighth); }))
        << frmAdvanced->PositionPixels().x << "," << frmAdvanced->PositionPixels().y;
    frmAdvanced->Unload();

    // Help opens at the pointer and stays on the pointer's monitor.
    main.MovePixels(100, 100);
    tktest::MoveMouse({1000, 700});
    ASSERT_TRUE(tktest::PumpUntil([] { return GetCursorX() == 1000 && GetCursorY() == 700; }));
    main.MostraGuida();
    const SIZE help = SizeOf(frmHelp->hWnd());
    const POINT inCorner{kPrimary.right - help.cx, kPrimary.bottom - help.cy};
    EXPECT_TRUE(tktest::PumpUntil([&] { return tktest::WindowAt(frmHelp->hWnd(), inCorner); }))
        << frmHelp->PositionPixels().x << "," << frmHelp->PositionPixels().y;
    frmHelp->Unload();
    tk::CollectRetiredForms();

    tktest::MoveMouse({300, 200});
    ASSERT_TRUE(tktest::PumpUntil([] { return GetCursorX() == 300 && GetCursorY() == 200; }));
    main.MostraGuida();
    EXPECT_TRUE(tktest::PumpUntil([&] { return tktest::WindowAt(frmHelp->hWnd(), {300, 200}); }))
        << frmHelp->PositionPixels().x << "," << frmHelp->PositionPixels().y;
}

TEST(KeepOnMonitor, MovesABoxBackOnlyAsFarAsItMust)
{
    const RECT left{-1280, -200, 0, 824};
    EXPECT_EQ(tk::Screen::KeepOnMonitor({-1000, -100}, {300, 100}, left).x, -1000);
    EXPECT_EQ(tk::Screen::KeepOnMonitor({-1000, -100}, {300, 100}, left).y, -100);
    EXPECT_EQ(tk::Screen::KeepOnMonitor({-100, 800}, {300, 100}, left).x, -300);
    EXPECT_EQ(tk::Screen::KeepOnMonitor({-100, 800}, {300, 100}, left).y, 724);
    EXPECT_EQ(tk::Screen::MonitorAt({-5, -199}).left, 0) << "no monitor source here: the system's one monitor";
}
