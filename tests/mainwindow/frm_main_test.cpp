// The main window as a user meets it: start-up, sampling what lies under the
// view-finder, dragging with the real mouse, and the popup menu's commands.
#include "advanced/frm_advanced.h"
#include "colour/mouse_function.h"
#include "info/exec_html.h"
#include "mainwindow/frm_main.h"
#include "resources/resource.h"
#include "support/all.h"
#include "support/picker.h"
#include "winservices/api_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

using tktest::Backdrop;
using tktest::Pump;

namespace {

constexpr COLORREF kOrange = RGB(255, 128, 0);
constexpr COLORREF kNavy = RGB(18, 52, 86);

// Texts of the five fields as a user reads them, top to bottom: Web, Num, R, G, B.
std::vector<std::wstring> Rows(FrmMain& main)
{
    return tktest::TextsInReadingOrder(main.hWnd(), tk::kTextFieldClass);
}

std::vector<std::wstring> Expected(const wchar_t* web, const wchar_t* num, const wchar_t* r, const wchar_t* g,
                                   const wchar_t* b)
{
    return {web, num, r, g, b};
}

POINT SamplePoint(FrmMain& main)
{
    const POINT corner = main.PositionPixels();
    return {corner.x + FrmMain::kSampleX, corner.y + FrmMain::kSampleY};
}

// The text fields of the advanced view, left to right: hex, numeric.
std::wstring AdvancedHex()
{
    HWND edit = ::FindWindowExW(frmAdvanced->hWnd(), nullptr, tk::kTextFieldClass, nullptr);
    wchar_t text[64]{};
    ::GetWindowTextW(edit, text, 64);
    return text;
}

class MainWindow : public tktest::WindowTest {
protected:
    void SetUp() override { m_backdrop.Paint(kOrange); }
    FrmMain& StartPicker()
    {
        FrmMain& main = *frmMain;
        main.Show();
        tktest::PumpUntil([&] {
            return tktest::ScreenShows(main.hWnd(), {FrmMain::kSwatchX, FrmMain::kSwatchY},
                                       static_cast<COLORREF>(main.LastColor()));
        });
        return main;
    }

    Backdrop m_backdrop;
};

} // namespace

TEST_F(MainWindow, StartsSkinnedTopmostCentredAndShowsTheFirstSample)
{
    FrmMain& main = StartPicker();
    const HWND hwnd = main.hWnd();
    const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_BORDER, 0);
    EXPECT_EQ(style & 0x8, 0x8);
    EXPECT_TRUE(::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Cut to the skin: the view-finder centre lets the screen through, the swatch does not.
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(hwnd, region), ERROR);
    EXPECT_FALSE(::PtInRegion(region, FrmMain::kSampleX, FrmMain::kSampleY));
    EXPECT_TRUE(::PtInRegion(region, FrmMain::kSwatchX, FrmMain::kSwatchY));
    EXPECT_FALSE(::PtInRegion(region, 0, 0));
    ::DeleteObject(region);

    const POINT corner = main.PositionPixels();
    RECT outer{};
    ::GetWindowRect(hwnd, &outer);
    EXPECT_NEAR(corner.x + (outer.right - outer.left) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR(corner.y + (outer.bottom - outer.top) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    EXPECT_EQ(main.LastColor(), static_cast<ColorValue>(kOrange));
    EXPECT_EQ(Rows(main), Expected(L"#FF8000", L"33023", L"255", L"128", L"0"));
    EXPECT_EQ(main.Skin().Point(FrmMain::kSwatchX, FrmMain::kSwatchY), static_cast<long>(kOrange));
}

TEST_F(MainWindow, BlackUnderTheViewFinderAtStartUpIsShown)
{
    m_backdrop.Paint(RGB(0, 0, 0));
    FrmMain& main = StartPicker();
    EXPECT_EQ(main.LastColor(), 0);
    EXPECT_EQ(Rows(main), Expected(L"#000000", L"0", L"0", L"0", L"0"));
    EXPECT_EQ(main.Skin().Point(FrmMain::kSwatchX, FrmMain::kSwatchY), 0);
}

TEST_F(MainWindow, RefreshShowsEachNewColourAndRestoresTheOutlineAfterWhite)
{
    FrmMain& main = StartPicker();
    m_backdrop.Paint(RGB(255, 255, 255));
    main.RefreshColor();
    EXPECT_EQ(Rows(main), Expected(L"#FFFFFF", L"16777215", L"255", L"255", L"255"));

    // The white fill coloured the outline too; the next colour covers both...
    m_backdrop.Paint(kNavy);
    main.RefreshColor();
    EXPECT_EQ(Rows(main), Expected(L"#123456", L"5649426", L"18", L"52", L"86"));
    tk::PictureBox& skin = main.Skin();
    EXPECT_EQ(skin.Point(FrmMain::kSwatchX, FrmMain::kSwatchY), static_cast<long>(kNavy));
    EXPECT_EQ(skin.Point(FrmMain::kSwatchX + FrmMain::kSwatchRadius, FrmMain::kSwatchY), static_cast<long>(kNavy));

    // ...and the change after it draws the white outline again before filling.
    m_backdrop.Paint(kOrange);
    main.RefreshColor();
    EXPECT_EQ(skin.Point(FrmMain::kSwatchX, FrmMain::kSwatchY), static_cast<long>(kOrange));
    EXPECT_EQ(skin.Point(FrmMain::kSwatchX + FrmMain::kSwatchRadius, FrmMain::kSwatchY), 0xFFFFFFL);
    EXPECT_NE(skin.Point(FrmMain::kSwatchX + FrmMain::kSwatchRadius + 3, FrmMain::kSwatchY),
              static_cast<long>(kOrange));

    // What the screen shows is what was drawn.
    EXPECT_TRUE(tktest::PumpUntil(
        [&] { return tktest::ScreenShows(main.hWnd(), {FrmMain::kSwatchX, FrmMain::kSwatchY}, kOrange); }));
}

TEST_F(MainWindow, AnUnreadablePixelShowsMinusOneAndNoColour)
{
    FrmMain& main = StartPicker();
    frmAdvanced->ShowWindow(main.LastColor());
    ASSERT_EQ(AdvancedHex(), L"FF8000");

    ColorValue next = -1;
    main.SetPixelReader([&next](std::int32_t, std::int32_t) { return next; });
    main.RefreshColor();
    EXPECT_EQ(Rows(main), Expected(L"#FFFFFFFFFFFF", L"-1", L"255", L"255", L"-1"));
    EXPECT_EQ(main.Skin().Point(FrmMain::kSwatchX, FrmMain::kSwatchY), 0) << "no colour: the skin's empty disc";
    EXPECT_EQ(AdvancedHex(), L"FF8000") << "the advanced view keeps its colour";

    // Opened while the last sample is unreadable, the advanced view shows black.
    frmAdvanced->Unload();
    tk::CollectRetiredForms();
    tktest::AnswerMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, [&] { main.ShowPopupMenu(); }); // Advanced view...
    ASSERT_TRUE(IsFormLoaded(L"frmAdvanced"));
    EXPECT_EQ(AdvancedHex(), L"000000");

    // The next real colour fills the whole disc again, outline kept.
    next = static_cast<ColorValue>(kNavy);
    main.RefreshColor();
    EXPECT_EQ(Rows(main), Expected(L"#123456", L"5649426", L"18", L"52", L"86"));
    for (int dx : {0, 10, 20, FrmMain::kSwatchRadius - 2})
        EXPECT_EQ(main.Skin().Point(FrmMain::kSwatchX + dx, FrmMain::kSwatchY), static_cast<long>(kNavy)) << dx;
    EXPECT_EQ(main.Skin().Point(FrmMain::kSwatchX + FrmMain::kSwatchRadius, FrmMain::kSwatchY), 0xFFFFFFL);
    EXPECT_EQ(AdvancedHex(), L"123456");
}

TEST_F(MainWindow, MenuCaptionsFollowTheUsersLanguage)
{
    FrmMain& main = StartPicker();
    ASSERT_NE(tktest::ExpectedLanguage(), "") << tktest::kNoExpectedLanguage;
    const tktest::MenuSeen menu = tktest::AnswerMenu({VK_ESCAPE}, [&] { main.ShowPopupMenu(); });
    const std::vector<std::wstring> captions = tktest::ExpectedMenuCaptions();
    EXPECT_EQ(menu.captions, captions);
    ASSERT_EQ(menu.enabled.size(), captions.size());
    EXPECT_TRUE(menu.enabled[6]) << "Move with alpha is enabled where layered windows exist";
}

// The mouse comes to rest on the address in the skin: the tooltip with the
// maker's address appears, for the real mouse, as for a user.
TEST_F(MainWindow, TheMouseRestingOnTheLinkShowsTheAddressInATooltip)
{
    FrmMain& main = StartPicker();
    const POINT corner = main.PositionPixels();
    tktest::MoveMouse({corner.x + 20, corner.y + 20});
    tktest::PumpUntil([&] { return tktest::CursorAt({corner.x + 20, corner.y + 20}); });
    tktest::MoveMouse({corner.x + 150, corner.y + 33}); // the middle of the link label
    HWND tip = nullptr;
    const bool shown = tktest::PumpUntil([&] { return (tip = tktest::VisibleToolTip()) != nullptr; });
    ASSERT_TRUE(shown) << "no tooltip within 5 s of the mouse resting on the link";
    wchar_t text[128]{};
    ::GetWindowTextW(tip, text, 128);
    EXPECT_STREQ(text, kMakerWebAddress);
    RECT tipRect{};
    ::GetWindowRect(tip, &tipRect);
    EXPECT_GT(tipRect.top, corner.y + 33) << "the tip opens below the pointer";
}

TEST_F(MainWindow, CheckMarksAreRefreshedEachTimeTheMenuOpens)
{
    FrmMain& main = StartPicker();
    tktest::AnswerMenu({VK_DOWN, VK_RETURN}, [&] { main.ShowPopupMenu(); }); // Lock
    EXPECT_TRUE(main.LockUpdateInfo());
    frmAdvanced->ShowWindow(0);
    const tktest::MenuSeen locked = tktest::AnswerMenu({VK_ESCAPE}, [&] { main.ShowPopupMenu(); });
    ASSERT_EQ(locked.checked.size(), tktest::ExpectedMenuCaptions().size());
    EXPECT_TRUE(locked.checked[0]);
    EXPECT_TRUE(locked.checked[5]);
    frmAdvanced->Unload(); // closed by other means than the menu
    tk::CollectRetiredForms();
    const tktest::MenuSeen closed = tktest::AnswerMenu({VK_ESCAPE}, [&] { main.ShowPopupMenu(); });
    ASSERT_EQ(closed.checked.size(), tktest::ExpectedMenuCaptions().size());
    EXPECT_FALSE(closed.checked[5]);
}

TEST_F(MainWindow, LockFreezesValuesSwatchAndAdvancedView)
{
    FrmMain& main = StartPicker();
    frmAdvanced->ShowWindow(main.LastColor());
    tktest::AnswerMenu({VK_DOWN, VK_RETURN}, [&] { main.ShowPopupMenu(); });
    m_backdrop.Paint(kNavy);
    main.RefreshColor();
    EXPECT_EQ(main.LastColor(), static_cast<ColorValue>(kOrange));
    EXPECT_EQ(Rows(main), Expected(L"#FF8000", L"33023", L"255", L"128", L"0"));
    EXPECT_EQ(main.Skin().Point(FrmMain::kSwatchX, FrmMain::kSwatchY), static_cast<long>(kOrange));
    EXPECT_EQ(AdvancedHex(), L"FF8000");

    // Reopened while locked, the advanced view shows the frozen colour.
    frmAdvanced->Unload();
    tktest::AnswerMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, [&] { main.ShowPopupMenu(); });
    EXPECT_EQ(AdvancedHex(), L"FF8000");

    tktest::AnswerMenu({VK_DOWN, VK_RETURN}, [&] { main.ShowPopupMenu(); }); // unlock
    main.RefreshColor();
    EXPECT_EQ(Rows(main), Expected(L"#123456", L"5649426", L"18", L"52", L"86"));
    EXPECT_EQ(AdvancedHex(), L"123456");
}

TEST_F(MainWindow, ExitClosesTheAdvancedViewThenTheMainWindow)
{
    FrmMain& main = StartPicker();
    frmAdvanced->ShowWindow(0);
    tktest::AnswerMenu({VK_UP, VK_RETURN}, [&] { main.ShowPopupMenu(); });
    EXPECT_FALSE(IsFormLoaded(L"frmAdvanced"));
    EXPECT_FALSE(IsFormLoaded(L"frmMain"));
    EXPECT_TRUE(tk::LoadedForms().empty());
}

TEST_F(MainWindow, ClosedByTheSystemTheAdvancedViewStaysOpen)
{
    FrmMain& main = StartPicker();
    frmAdvanced->ShowWindow(0);
    ::SendMessageW(main.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsFormLoaded(L"frmMain"));
    EXPECT_TRUE(IsFormLoaded(L"frmAdvanced"));
}

// The drag driven by the real mouse from a second thread while this thread
// runs the program's message loop, as the user's hand would.
class Drag : public MainWindow {
protected:
    // Presses on the "Web:" caption, moves by (dx, dy) in steps, runs `during` with the button held, then
    // releases. A drag still running a second after the release is ended by a release posted to the skin,
    // and the test fails, so a broken drag fails within its own bound instead of hanging.
    void DragBy(FrmMain& main, int dx, int dy, std::function<void()> during = {})
    {
        const POINT corner = main.PositionPixels();
        const POINT start{corner.x + 105, corner.y + 55};
        const HWND skin = main.Skin().hWnd();
        const bool ended = tktest::DragFromThread(
            start, {start.x + dx, start.y + dy},
            // There, and what the screen shows under the view-finder sampled.
            {.grabbed = tktest::Grip(main),
             .arrived = [&] {
                 const POINT sample = SamplePoint(main);
                 return tktest::WindowAt(main.hWnd(), {corner.x + dx, corner.y + dy}) &&
                        main.LastColor() == GetScreenPixel(sample.x, sample.y);
             },
             .during = during,
             .rescue = [skin] { ::PostMessageW(skin, WM_LBUTTONUP, 0, MAKELPARAM(150, 200)); }});
        EXPECT_TRUE(ended) << "the drag did not reach its end, or went on after the button was released";
    }
};

TEST_F(Drag, TheWindowFollowsTheMouseAndSamplesOnTheWay)
{
    FrmMain& main = StartPicker();
    const POINT before = main.PositionPixels();
    const POINT sample = SamplePoint(main);
    m_backdrop.Paint(kOrange, kNavy, sample.x + 60); // navy right of where the view-finder will land
    bool sawDrag = false;
    main.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        sawDrag = sawDrag || main.IsButtonDown();
        return GetScreenPixel(x, y);
    });
    // The drag lets go only once the window has sampled the navy under its
    // new place, with the button held: a move in the very step that takes
    // the release samples a spot the screen has not repainted yet (Wine).
    DragBy(main, 100, 40);
    const POINT after = main.PositionPixels();
    EXPECT_EQ(after.x - before.x, 100);
    EXPECT_EQ(after.y - before.y, 40);
    EXPECT_TRUE(sawDrag);
    EXPECT_FALSE(main.IsButtonDown());
}

TEST_F(Drag, HoldingStillKeepsSamplingTheChangingScreen)
{
    FrmMain& main = StartPicker();
    DragBy(main, 0, 0, [&] {
        ::PostMessageW(m_backdrop.hwnd(), WM_NULL, 0, 0);
        // Recolour from the other thread while the button is held still.
        RECT all{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        HDC screen = ::GetDC(m_backdrop.hwnd());
        HBRUSH navy = ::CreateSolidBrush(kNavy);
        ::FillRect(screen, &all, navy);
        ::DeleteObject(navy);
        ::ReleaseDC(m_backdrop.hwnd(), screen);
        EXPECT_TRUE(tktest::WaitUntil([&] { return main.LastColor() == static_cast<ColorValue>(kNavy); }, 10000));
    });
    EXPECT_EQ(main.FieldText(0), L"#123456");
}

TEST_F(Drag, ACursorThatMovesAtEveryStepIsNeverWaitedFor)
{
    FrmMain& main = StartPicker();
    const HWND skin = main.Skin().hWnd();
    const POINT corner = main.PositionPixels();
    const POINT start{corner.x + 105, corner.y + 55};
    tktest::MoveMouse(start);
    ASSERT_TRUE(tktest::PumpUntil([&] { return tktest::CursorAt(start); }));
    // Every sample puts the cursor a pixel further, so each later step of
    // the loop finds it moved; after fifty the button goes up.
    int steps = 0;
    int waits = 0;
    main.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        if (++steps < 50)
            ::SetCursorPos(start.x + steps, start.y);
        else
            ::PostMessageW(skin, WM_LBUTTONUP, 0, MAKELPARAM(150, 200));
        return GetScreenPixel(x, y);
    });
    main.SetEventWaiter([&](unsigned long milliseconds) {
        ++waits;
        tk::WaitForEvents(milliseconds);
    });
    main.EventButtonDown(); // the loop a press on the skin starts
    EXPECT_GE(steps, 50);
    // Only the first step finds the cursor where the press left it.
    EXPECT_EQ(waits, 1) << "the loop waited although the cursor had moved";
    EXPECT_EQ(main.PositionPixels().x, corner.x + 49);
}

namespace {
// A window of the program's own thread that takes the mouse capture when asked.
LRESULT CALLBACK ThiefProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        ::SetCapture(hwnd);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}
} // namespace

TEST_F(Drag, LosingTheMouseCaptureEndsTheDrag)
{
    FrmMain& main = StartPicker();
    WNDCLASSW thiefClass{};
    thiefClass.lpfnWndProc = &ThiefProc;
    thiefClass.hInstance = ::GetModuleHandleW(nullptr);
    thiefClass.lpszClassName = L"TestCaptureThief";
    ::RegisterClassW(&thiefClass);
    const tk::unique_hwnd thief(::CreateWindowExW(0, L"TestCaptureThief", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                                  nullptr, nullptr, nullptr));
    bool endedWhileHeld = false;
    // The hand waits up to ten seconds for the drag to end, then lets go itself either way.
    DragBy(main, 30, 0, [&] {
        ::PostMessageW(thief.get(), WM_APP, 0, 0);
        endedWhileHeld = tktest::WaitUntil([&] { return !main.IsButtonDown(); }, 10000);
    });
    ::ReleaseCapture();
    EXPECT_TRUE(endedWhileHeld) << "the drag went on after another window took the mouse";
    EXPECT_FALSE(main.IsButtonDown());
}

TEST_F(Drag, MoveWithAlphaIsTranslucentExactlyDuringTheDrag)
{
    FrmMain& main = StartPicker();
    tktest::AnswerMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, [&] { main.ShowPopupMenu(); }); // Move with alpha
    ASSERT_TRUE(main.MoveTransparent());
    EXPECT_FALSE(::GetWindowLongW(main.hWnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alphaDuring = 0;
    DWORD flagsDuring = 0;
    DragBy(main, 20, 20, [&] {
        COLORREF key;
        ::GetLayeredWindowAttributes(main.hWnd(), &key, &alphaDuring, &flagsDuring);
    });
    EXPECT_EQ(alphaDuring, 100);
    EXPECT_EQ(flagsDuring & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_FALSE(::GetWindowLongW(main.hWnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(Drag, ExitInsideTheDragEndsItWithoutTouchingTheWindow)
{
    FrmMain& main = StartPicker();
    const HWND skin = main.Skin().hWnd();
    // A right press during the drag opens the menu inside the drag loop; Exit is chosen there.
    const tktest::MenuSeen menu = tktest::AnswerMenu({VK_UP, VK_RETURN}, [&] {
        DragBy(main, 10, 10, [&] {
            ::PostMessageW(skin, WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, MAKELPARAM(150, 200));
            tktest::WaitUntil([&] { return !::IsWindow(skin); }, 10000);
        });
    });
    EXPECT_TRUE(menu.seen);
    EXPECT_FALSE(IsFormLoaded(L"frmMain"));
    EXPECT_FALSE(::IsWindow(skin));
}
