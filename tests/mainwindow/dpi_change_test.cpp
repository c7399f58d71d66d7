// The windows moved to a monitor of another scale, where Wine here cannot
// show it: the main window stays within reach, takes an icon drawn for the
// scale and keeps one set of hands per scale; fields swap fonts without ever
// holding a released one; About's frame is asked at its own DPI (the system
// call put in); and a failed allocation inside the system's monitor
// enumeration comes back to the program instead of unwinding through it.
#include "info/frm_about.h"
#include "mainwindow/frm_main.h"
#include "support/all.h"
#include "toolkit/dpi.h"
#include "toolkit/screen.h"

#include <gtest/gtest.h>

#include <map>
#include <new>
#include <vector>

// In a file of its own (allocation_failure.cpp): while on, every operator
// new of this thread fails.
void FailAllocations(bool fail);

namespace {

class DpiChange : public tktest::InjectedPlatform {
protected:
    static void ChangeScale(tk::Form& form, UINT dpi)
    {
        RECT suggested{};
        ::GetWindowRect(form.hWnd(), &suggested);
        ::SendMessageW(form.hWnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        tktest::WaitPainted(form.hWnd());
    }
};

int IconWidth(HWND window, WPARAM which)
{
    const auto icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, which, 0));
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return 0;
    const tk::unique_hbitmap mask(info.hbmMask);
    const tk::unique_hbitmap colour(info.hbmColor);
    BITMAP bitmap{};
    ::GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
    return bitmap.bmWidth;
}

// Each field's font at the moment WM_SETFONT hands it another.
std::map<HWND, WNDPROC> g_fieldProcs;
int g_fontSwaps = 0;
int g_releasedBeforeSwap = 0;
LRESULT CALLBACK WatchFontSwaps(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC original = g_fieldProcs[field];
    if (message == WM_SETFONT) {
        ++g_fontSwaps;
        const auto held = reinterpret_cast<HGDIOBJ>(::CallWindowProcW(original, field, WM_GETFONT, 0, 0));
        if (held && ::GetObjectType(held) != OBJ_FONT)
            ++g_releasedBeforeSwap;
    }
    return ::CallWindowProcW(original, field, message, wParam, lParam);
}

std::vector<UINT> g_framesAskedAt;
BOOL WINAPI RecordFrameRequest(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi)
{
    if (style & WS_CAPTION)
        g_framesAskedAt.push_back(dpi);
    return ::AdjustWindowRectEx(rect, style, menu, exStyle); // the frame Wine draws
}

} // namespace

TEST_F(DpiChange, TheMainWindowTakesAnIconForTheScaleAndKeepsOneSetOfHandsPerScale)
{
    FrmMain& main = *frmMain;
    main.Show();
    tktest::WaitPainted(main.hWnd());
    EXPECT_EQ(IconWidth(main.hWnd(), ICON_SMALL), 16);
    EXPECT_EQ(IconWidth(main.hWnd(), ICON_BIG), 32);
    const HCURSOR open = main.EffectiveCursor();
    ASSERT_NE(open, nullptr);

    // A real drag shows the closed hand and then the open one again: the same one.
    const POINT corner = main.PositionPixels();
    const POINT grip{corner.x + 105, corner.y + 55};
    ASSERT_TRUE(::IsChild(main.hWnd(), ::WindowFromPoint(grip)));
    ASSERT_TRUE(tktest::DragFromThread(grip, {grip.x + 30, grip.y + 20}));
    EXPECT_EQ(main.EffectiveCursor(), open) << "the open hand is not made again at every drag";

    ChangeScale(main, 144);
    EXPECT_EQ(IconWidth(main.hWnd(), ICON_SMALL), 24);
    EXPECT_EQ(IconWidth(main.hWnd(), ICON_BIG), 48);
    EXPECT_NE(main.EffectiveCursor(), open) << "a hand drawn for 150 %";
    ChangeScale(main, 96);
    EXPECT_EQ(main.EffectiveCursor(), open) << "and back at 100 %, the hand made for it before";
    EXPECT_EQ(IconWidth(main.hWnd(), ICON_SMALL), 16);
}

TEST_F(DpiChange, TheMainWindowStaysWithinReachAndItsFieldsNeverHoldAReleasedFont)
{
    using tktest::kPrimary;
    tk::Screen::SetMonitorSource([] { return std::vector<RECT>{kPrimary}; });
    FrmMain& main = *frmMain;
    main.Show();
    tktest::WaitPainted(main.hWnd());
    for (HWND field = ::FindWindowExW(main.Skin().hWnd(), nullptr, tk::kTextFieldClass, nullptr); field;
         field = ::FindWindowExW(main.Skin().hWnd(), field, tk::kTextFieldClass, nullptr))
        g_fieldProcs[field] = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchFontSwaps)));
    ASSERT_EQ(g_fieldProcs.size(), 5u);

    // The view-finder right of every monitor: kept over its point, the
    // window would lie wholly off them.
    main.MovePixels(kPrimary.right + 60, 300);
    ChangeScale(main, 144);
    RECT outer{};
    RECT overlap{};
    ::GetWindowRect(main.hWnd(), &outer);
    EXPECT_TRUE(::IntersectRect(&overlap, &outer, &kPrimary))
        << "the window at " << outer.left << "," << outer.top << " is on no monitor";
    EXPECT_EQ(outer.right - outer.left, tk::Scale(233, 144));

    EXPECT_EQ(g_fontSwaps, 5);
    EXPECT_EQ(g_releasedBeforeSwap, 0) << "a field held a font already released when handed the new one";
    for (const auto& [field, proc] : g_fieldProcs)
        ::SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    g_fieldProcs.clear();
}

TEST_F(DpiChange, AboutsFrameIsAskedAtItsOwnDpiWhereTheSystemCanAndAtTheSystemsElsewhere)
{
    const auto twips = [](int value, UINT dpi) { return tk::PixelsFromTwips(value, dpi); };
    static const tk::DpiPlatform withFrames{&RecordFrameRequest};
    static const tk::DpiPlatform withoutFrames{nullptr};
    for (const tk::DpiPlatform* platform : {&withFrames, &withoutFrames}) {
        tk::SetDpiPlatform(platform);
        g_framesAskedAt.clear();
        FrmAbout& about = *frmAbout;
        about.Show();
        tktest::WaitPainted(about.hWnd());
        ChangeScale(about, 144);
        EXPECT_EQ(about.ClientSizePixels().cx, twips(5640, 144));
        EXPECT_EQ(about.ClientSizePixels().cy, twips(2220, 144));
        if (platform == &withFrames) {
            ASSERT_FALSE(g_framesAskedAt.empty());
            EXPECT_EQ(g_framesAskedAt.back(), 144u) << "the caption and frame at the window's DPI";
        } else {
            EXPECT_TRUE(g_framesAskedAt.empty());
        }
        about.Unload();
        tk::CollectRetiredForms();
    }
}

TEST(MonitorEnumeration, AFailedAllocationComesBackToTheProgram)
{
    bool caught = false;
    FailAllocations(true);
    try {
        tk::Screen::Monitors();
    } catch (const std::bad_alloc&) {
        caught = true;
    }
    FailAllocations(false);
    EXPECT_TRUE(caught);
    EXPECT_FALSE(tk::Screen::Monitors().empty()) << "and the next enumeration works";
}
