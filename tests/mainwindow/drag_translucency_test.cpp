// Move with alpha switched off from the menu in the middle of a drag: the
// drag that made the window translucent still ends opaque, and so do the
// drags after it. Driven with the real mouse, the menu answered by keys.
#include "mainwindow/frm_main.h"
#include "support/backdrop.h"
#include "toolkit/win_test_support.h"
#include "winservices/api_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

struct Translucency {
    bool layered = false;
    BYTE alpha = 255;
};

Translucency TranslucencyOf(HWND window)
{
    Translucency seen;
    seen.layered = (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    COLORREF key = 0;
    DWORD flags = 0;
    BYTE alpha = 255;
    if (seen.layered && ::GetLayeredWindowAttributes(window, &key, &alpha, &flags) && (flags & LWA_ALPHA))
        seen.alpha = alpha;
    return seen;
}

// The popup menu's keys, posted from the hand's thread once the menu is up.
void ChooseFromOpenMenu(std::initializer_list<WPARAM> keys)
{
    HWND menu = nullptr;
    for (int i = 0; i < 150 && !(menu = ::FindWindowW(L"#32768", nullptr)); ++i)
        ::Sleep(20);
    ::Sleep(100);
    for (WPARAM key : keys) {
        ::PostMessageW(menu, WM_KEYDOWN, key, 0);
        ::PostMessageW(menu, WM_KEYUP, key, 0);
    }
}

// A real drag of the skin by (dx, dy); `during` runs in the hand's thread
// while the button is still held. The drag loop runs in this thread.
void Drag(FrmMain& main, int dx, int dy, const std::function<void()>& during)
{
    const POINT corner = main.PositionPixels();
    const POINT start{corner.x + 105, corner.y + 55};
    tktest::MoveMouse(start);
    tktest::Pump(100);
    ASSERT_TRUE(::IsChild(main.hWnd(), ::WindowFromPoint(start)) || ::WindowFromPoint(start) == main.hWnd());
    std::atomic<bool> done{false};
    std::thread hand([&] {
        tktest::MouseButton(MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 5; ++step) {
            ::Sleep(30);
            tktest::MoveMouse({start.x + dx * step / 5, start.y + dy * step / 5});
        }
        ::Sleep(100);
        during();
        ::Sleep(200);
        tktest::MouseButton(MOUSEEVENTF_LEFTUP);
        done = true;
    });
    EXPECT_TRUE(tktest::PumpUntil([&] { return done.load() && !main.IsButtonDown(); }, 15000));
    hand.join();
    tktest::Pump(100);
}

} // namespace

TEST(DragTranslucency, SwitchedOffDuringTheDragTheWindowEndsOpaqueAndStaysSo)
{
    tktest::ErrorRecorder errors;
    testing_support::Backdrop backdrop;
    FrmMain& main = *frmMain;
    main.Show();
    tktest::Pump(200);
    {
        testing_support::MenuAnswer answer({VK_UP, VK_UP, VK_RETURN}); // Move with alpha
        main.ShowPopupMenu();
    }
    ASSERT_TRUE(main.MoveTransparent());

    Translucency duringDrag;
    Drag(main, 20, 10, [&] {
        duringDrag = TranslucencyOf(main.hWnd());
        // The right button, with the left still held, opens the menu in the
        // drag; Move with alpha is switched off there.
        tktest::MouseButton(MOUSEEVENTF_RIGHTDOWN);
        tktest::MouseButton(MOUSEEVENTF_RIGHTUP);
        ChooseFromOpenMenu({VK_UP, VK_UP, VK_RETURN});
        for (int i = 0; i < 100 && ::FindWindowW(L"#32768", nullptr); ++i)
            ::Sleep(20);
    });
    EXPECT_TRUE(duringDrag.layered);
    EXPECT_EQ(duringDrag.alpha, 100) << "the drag began translucent";
    EXPECT_FALSE(main.MoveTransparent()) << "the menu switched Move with alpha off";
    const Translucency ended = TranslucencyOf(main.hWnd());
    EXPECT_FALSE(ended.layered && ended.alpha != 255) << "the drag ended with the window translucent at alpha "
                                                      << static_cast<int>(ended.alpha);

    // A later drag with the option off is opaque from start to end.
    Translucency laterDuring;
    Drag(main, -20, -10, [&] { laterDuring = TranslucencyOf(main.hWnd()); });
    EXPECT_FALSE(laterDuring.layered && laterDuring.alpha != 255);
    const Translucency laterEnded = TranslucencyOf(main.hWnd());
    EXPECT_FALSE(laterEnded.layered && laterEnded.alpha != 255);

    main.Uscita();
    tk::CollectRetiredForms();
    EXPECT_TRUE(errors.Numbers.empty());
}
