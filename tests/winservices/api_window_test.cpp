// Window services on real windows: the styles and layered attributes they
// leave behind, the parent climb, the loaded-window test and the caption drag.
#include "winservices/api_window.h"

#include "toolkit/app_error.h"
#include "toolkit/picturebox.h"
#include "support/all.h"

#include <gtest/gtest.h>

#include <thread>

using tktest::Place;
using tktest::TestForm;

namespace {

LONG ExStyle(HWND hwnd) { return ::GetWindowLongW(hwnd, GWL_EXSTYLE); }

BYTE LayeredAlpha(HWND hwnd)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!::GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
        return 0;
    return alpha;
}

// A shown form with no extended style at all, as the main window starts.
struct PlainForm : ::testing::Test {
    TestForm form{L"plain", Place(200, 150, 120, 90), RGB(200, 0, 0)};
    void SetUp() override
    {
        form.ExStyle = 0;
        form.ShowAt();
        ASSERT_EQ(ExStyle(form.hWnd()), 0);
    }
};

} // namespace

namespace {

template <DWORD Platform, DWORD Major, DWORD Minor>
OSVERSIONINFOA Version()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwPlatformId = Platform;
    version.dwMajorVersion = Major;
    version.dwMinorVersion = Minor;
    return version;
}

// The records other systems give: the test puts the system's own back however it ends.
struct OtherSystem : PlainForm {
    void TearDown() override { SetVersionReader(nullptr); }
};

} // namespace

TEST_F(OtherSystem, OnlyTheNtFamilyFromVersionFiveGetsTranslucency)
{
    const struct {
        VersionReader reader;
        bool layered;
        const char* system;
    } systems[] = {
        {&Version<VER_PLATFORM_WIN32_WINDOWS, 4, 10>, false, "Windows 98"},
        {&Version<VER_PLATFORM_WIN32_WINDOWS, 4, 90>, false, "Windows Me"},
        {&Version<VER_PLATFORM_WIN32_NT, 4, 0>, false, "Windows NT 4"},
        {&Version<0, 0, 0>, false, "a failed version read"},
        {&Version<VER_PLATFORM_WIN32_NT, 5, 0>, true, "Windows 2000"},
        {&Version<VER_PLATFORM_WIN32_NT, 6, 1>, true, "Windows 7"},
        {&Version<VER_PLATFORM_WIN32_NT, 10, 0>, true, "Windows 10"},
    };
    for (const auto& system : systems) {
        SetVersionReader(system.reader);
        EXPECT_EQ(IsLayeredSupported(), system.layered) << system.system;
        // What the user sees of it: the window turns translucent only where layering exists.
        SetWindowAlpha(form, 100);
        EXPECT_EQ(LayeredAlpha(form.hWnd()), system.layered ? 100 : 0) << system.system;
        EXPECT_EQ((ExStyle(form.hWnd()) & WS_EX_LAYERED) != 0, system.layered) << system.system;
        SetVersionReader(nullptr);
        SetWindowAlpha(form, 0);
        ASSERT_EQ(ExStyle(form.hWnd()) & WS_EX_LAYERED, 0);
    }
    // And this system, through GetVersionExA, is one of the NT family from 5 on.
    EXPECT_TRUE(IsLayeredSupported());
}

TEST_F(PlainForm, SetTopMostSwitchesTheTopmostBand)
{
    EXPECT_TRUE(SetTopMost(form, true));
    EXPECT_NE(ExStyle(form.hWnd()) & WS_EX_TOPMOST, 0);
    EXPECT_TRUE(SetTopMost(form, true)) << "again is harmless";
    EXPECT_TRUE(SetTopMost(form, false));
    EXPECT_EQ(ExStyle(form.hWnd()) & WS_EX_TOPMOST, 0);
    RECT rect{};
    ::GetWindowRect(form.hWnd(), &rect);
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.right - rect.left, 120) << "neither moved nor sized";
}

TEST_F(PlainForm, TheFirstTransparencyRequestOnAPlainWindowFailsAndTheSecondSucceeds)
{
    EXPECT_FALSE(SetTransparency(form.hWnd(), 120));
    EXPECT_NE(ExStyle(form.hWnd()) & WS_EX_LAYERED, 0) << "the first attempt still set the layered bit";
    EXPECT_TRUE(SetTransparency(form.hWnd(), 120));
    EXPECT_EQ(LayeredAlpha(form.hWnd()), 120);

    EXPECT_TRUE(RemoveTransparency(form.hWnd()));
    EXPECT_EQ(ExStyle(form.hWnd()) & WS_EX_LAYERED, 0);
}

TEST_F(PlainForm, SetWindowAlphaMakesTranslucentAndOpaqueAgain)
{
    SetWindowAlpha(form, 100);
    EXPECT_NE(ExStyle(form.hWnd()) & WS_EX_LAYERED, 0);
    EXPECT_EQ(LayeredAlpha(form.hWnd()), 100);
    SetWindowAlpha(form, 0);
    EXPECT_EQ(ExStyle(form.hWnd()) & WS_EX_LAYERED, 0);

    // On a window that is not layered, switching off changes nothing.
    SetWindowAlpha(form, -5);
    EXPECT_EQ(ExStyle(form.hWnd()), 0);
    EXPECT_THROW(SetWindowAlpha(form, 256), tk::OverflowError);
    EXPECT_EQ(ExStyle(form.hWnd()), 0);

    // Asked through a control, translucency lands on its visible window.
    tk::PictureBox picture;
    picture.Create(form, 10, 10, 40, 30);
    SetWindowAlpha(picture, 200);
    EXPECT_EQ(LayeredAlpha(form.hWnd()), 200);
    EXPECT_EQ(ExStyle(picture.hWnd()) & WS_EX_LAYERED, 0);
}

TEST(GetTopParent, ClimbsVisibleParentsOnly)
{
    TestForm form(L"outer", Place(100, 100, 200, 150));
    form.Load();
    tk::PictureBox outer;
    outer.Create(form, 10, 10, 150, 100);
    tk::PictureBox inner;
    inner.Create(outer, 5, 5, 60, 40);

    // Not yet shown: the climb stops at once.
    EXPECT_EQ(GetTopParent(inner.hWnd()), inner.hWnd());
    EXPECT_EQ(GetTopParent(outer.hWnd()), outer.hWnd());
    EXPECT_EQ(GetTopParent(form.hWnd()), form.hWnd());

    form.ShowAt();
    EXPECT_EQ(GetTopParent(inner.hWnd()), form.hWnd());
    EXPECT_EQ(GetTopParent(outer.hWnd()), form.hWnd());
    EXPECT_EQ(GetTopParent(form.hWnd()), form.hWnd());

    // A hidden control in the middle stops the climb below it.
    ::ShowWindow(outer.hWnd(), SW_HIDE);
    EXPECT_EQ(GetTopParent(inner.hWnd()), inner.hWnd());
    ::ShowWindow(outer.hWnd(), SW_SHOW);

    // A pop-up's parent is its owner.
    const tk::unique_hwnd owned(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, form.hWnd(), nullptr,
                                                  nullptr, nullptr));
    EXPECT_EQ(GetTopParent(owned.get()), form.hWnd());
    form.Hide();
    EXPECT_EQ(GetTopParent(owned.get()), owned.get());
}

TEST(SetTransparency, OnAControlOfAHiddenWindowLandsOnTheControl)
{
    TestForm form(L"hidden", Place(100, 100, 200, 150));
    form.ExStyle = 0;
    form.Load();
    tk::PictureBox picture;
    picture.Create(form, 10, 10, 100, 80);
    bool done = false;
    for (int attempt = 0; attempt < 3 && !done; ++attempt)
        done = SetTransparency(picture.hWnd(), 90);
    EXPECT_TRUE(done);
    EXPECT_NE(ExStyle(picture.hWnd()) & WS_EX_LAYERED, 0);
    EXPECT_EQ(LayeredAlpha(picture.hWnd()), 90);
    EXPECT_EQ(ExStyle(form.hWnd()) & WS_EX_LAYERED, 0);
    EXPECT_TRUE(RemoveTransparency(picture.hWnd()));
    EXPECT_EQ(ExStyle(picture.hWnd()) & WS_EX_LAYERED, 0);
}

TEST(SetStyleBits, SetsAndClearsOnlyTheGivenBits)
{
    TestForm form(L"styled", Place(100, 100, 80, 60));
    form.Load();
    const HWND hwnd = form.hWnd();
    const auto style = [hwnd] { return static_cast<std::uint32_t>(::GetWindowLongW(hwnd, GWL_STYLE)); };
    const std::uint32_t before = style();
    ASSERT_EQ(before & (WS_BORDER | 0x8u), 0u);

    SetStyleBits(hwnd, WS_BORDER, true);
    EXPECT_EQ(style(), before | WS_BORDER);
    SetStyleBits(hwnd, 0x8, true);
    EXPECT_EQ(style(), before | WS_BORDER | 0x8);
    SetStyleBits(hwnd, WS_BORDER, false);
    EXPECT_EQ(style(), before | 0x8);
    SetStyleBits(hwnd, WS_DLGFRAME, false); // not set: nothing changes
    EXPECT_EQ(style(), before | 0x8);
    SetStyleBits(hwnd, 0x8, false);
    EXPECT_EQ(style(), before);
}

namespace {

// A form under the advanced view's name, with some state of its own.
struct AdvancedLike : TestForm {
    AdvancedLike() : TestForm(L"frmAdvanced", Place(300, 300, 100, 80)) {}
    int State = 0;
};

tk::FormInstance<AdvancedLike> advancedLike;

} // namespace

TEST(IsFormLoaded, FollowsTheFormFromLoadToUnloadInAnyCase)
{
    EXPECT_FALSE(IsFormLoaded(L"frmAdvanced"));
    EXPECT_FALSE(advancedLike.Exists());

    advancedLike->State = 7; // referring to it loads it, hidden
    EXPECT_FALSE(::IsWindowVisible(advancedLike->hWnd()));
    for (const wchar_t* name : {L"frmAdvanced", L"FRMADVANCED", L"frmadvanced", L"FrMaDvAnCeD"})
        EXPECT_TRUE(IsFormLoaded(name)) << tk::Narrow(name);
    EXPECT_FALSE(IsFormLoaded(L"frmAdvanced2"));
    EXPECT_FALSE(IsFormLoaded(L"frmAdvance"));
    EXPECT_FALSE(IsFormLoaded(L""));

    advancedLike->ShowAt();
    EXPECT_TRUE(IsFormLoaded(L"FRMadvanced"));

    const HWND first = advancedLike->hWnd();
    advancedLike->Unload();
    EXPECT_FALSE(IsFormLoaded(L"frmAdvanced"));
    EXPECT_FALSE(advancedLike.Exists());
    EXPECT_FALSE(::IsWindow(first));

    // The next reference loads a fresh window with fresh state.
    EXPECT_EQ(advancedLike->State, 0);
    EXPECT_TRUE(IsFormLoaded(L"frmadvanced"));
    EXPECT_TRUE(::IsWindow(advancedLike->hWnd()));
    advancedLike->Unload();
    tk::CollectRetiredForms();
    EXPECT_FALSE(IsFormLoaded(L"frmAdvanced"));
}

TEST(IsFormLoaded, SeesEveryLoadedFormAmongOthers)
{
    TestForm a(L"frmMain", Place(10, 10, 50, 50));
    TestForm b(L"frmHelp", Place(70, 10, 50, 50));
    a.Load();
    b.Load();
    EXPECT_TRUE(IsFormLoaded(L"FRMMAIN"));
    EXPECT_TRUE(IsFormLoaded(L"frmhelp"));
    EXPECT_FALSE(IsFormLoaded(L"frmAbout"));
    a.Unload();
    EXPECT_FALSE(IsFormLoaded(L"frmMain"));
    EXPECT_TRUE(IsFormLoaded(L"frmHelp"));
}

TEST(DragByCaption, TheWindowFollowsTheMouseUntilTheButtonIsReleased)
{
    TestForm form(L"dragged", Place(200, 200, 150, 100), RGB(0, 0, 160));
    form.ShowAt();
    ASSERT_EQ(::WindowFromPoint({250, 240}), form.hWnd());
    tktest::Press({250, 240});

    // The system's move loop holds this thread; the mouse is moved and
    // released from another one.
    const HWND window = form.hWnd();
    std::thread hand([window, mover = ::GetCurrentThreadId()] {
        const auto moving = [mover] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return ::GetGUIThreadInfo(mover, &info) && (info.flags & GUI_INMOVESIZE);
        };
        tktest::WaitUntil(moving);
        for (int step = 1; step <= 10; ++step) {
            const POINT to{250 + 8 * step, 240 + 5 * step};
            tktest::MoveMouse(to);
            tktest::WaitUntil([&] { return tktest::WindowAt(window, {to.x - 50, to.y - 40}); }, 2000);
        }
        tktest::SendMouse(MOUSEEVENTF_LEFTUP);
    });
    DragByCaption(form);
    hand.join();
    tk::DoEvents();
    const POINT at = form.PositionPixels();
    EXPECT_EQ(at.x, 280);
    EXPECT_EQ(at.y, 250);
    EXPECT_EQ(::GetCapture(), nullptr);
}
