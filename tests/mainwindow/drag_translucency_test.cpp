// Move with alpha switched off from the menu in the middle of a drag: the
// drag that made the window translucent still ends opaque, and so do the
// drags after it. Driven with the real mouse, the menu answered by keys.
#include "mainwindow/frm_main.h"
#include "support/all.h"
#include "support/picker.h"
#include "winservices/api_window.h"

#include <gtest/gtest.h>

namespace {

struct Translucency {
    bool layered = false;
    BYTE alpha = 255;
    bool Opaque() const { return !layered || alpha == 255; }
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

// Where a drag of the skin starts: a point of the skin clear of the fields.
POINT OnTheSkin(FrmMain& main)
{
    const POINT corner = main.PositionPixels();
    return {corner.x + 105, corner.y + 55};
}

constexpr WPARAM kMoveWithAlpha[] = {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}; // fifth from the top

} // namespace

class DragTranslucency : public tktest::WindowTest {
protected:
    tktest::Backdrop m_backdrop;
};

TEST_F(DragTranslucency, SwitchedOffDuringTheDragTheWindowEndsOpaqueAndStaysSo)
{
    FrmMain& main = *frmMain;
    main.Show();
    tktest::PumpUntil([&] { return ::IsChild(main.hWnd(), ::WindowFromPoint(OnTheSkin(main))) != FALSE; });
    tktest::AnswerMenu({std::begin(kMoveWithAlpha), std::end(kMoveWithAlpha)}, [&] { main.ShowPopupMenu(); });
    ASSERT_TRUE(main.MoveTransparent());

    // The right button, with the left still held, opens the menu inside the
    // drag; Move with alpha is switched off there, then the left is let go.
    Translucency duringDrag;
    const POINT from = OnTheSkin(main);
    const POINT start = main.PositionPixels();
    ASSERT_TRUE(::IsChild(main.hWnd(), ::WindowFromPoint(from)));
    const tktest::MenuSeen menu =
        tktest::AnswerMenu({std::begin(kMoveWithAlpha), std::end(kMoveWithAlpha)}, [&] {
            EXPECT_TRUE(tktest::DragFromThread(
                from, {from.x + 20, from.y + 10},
                {.grabbed = tktest::Grip(main),
                 .arrived = [&] { return tktest::WindowAt(main.hWnd(), {start.x + 20, start.y + 10}); },
                 .during = [&] {
                     duringDrag = TranslucencyOf(main.hWnd());
                     tktest::SendMouse(MOUSEEVENTF_RIGHTDOWN);
                     tktest::SendMouse(MOUSEEVENTF_RIGHTUP);
                     // The menu opens, is answered inside the drag and goes.
                     tktest::WaitUntil([] { return ::FindWindowW(L"#32768", nullptr) != nullptr; }, 10000);
                     tktest::WaitUntil([] { return ::FindWindowW(L"#32768", nullptr) == nullptr; }, 10000);
                 }}));
        });
    ASSERT_TRUE(menu.seen) << "the right button opened no menu during the drag";
    EXPECT_TRUE(duringDrag.layered);
    EXPECT_EQ(duringDrag.alpha, 100) << "the drag began translucent";
    EXPECT_FALSE(main.MoveTransparent()) << "the menu switched Move with alpha off";
    EXPECT_FALSE(main.IsButtonDown());
    const Translucency ended = TranslucencyOf(main.hWnd());
    EXPECT_TRUE(ended.Opaque()) << "the drag ended with the window translucent at alpha "
                                << static_cast<int>(ended.alpha);

    // A later drag with the option off is opaque from start to end.
    Translucency laterDuring;
    const POINT again = OnTheSkin(main);
    const POINT corner = main.PositionPixels();
    EXPECT_TRUE(tktest::DragFromThread(
        again, {again.x - 20, again.y - 10},
        {.grabbed = tktest::Grip(main),
         .arrived = [&] { return tktest::WindowAt(main.hWnd(), {corner.x - 20, corner.y - 10}); },
         .during = [&] { laterDuring = TranslucencyOf(main.hWnd()); }}));
    EXPECT_TRUE(laterDuring.Opaque());
    EXPECT_TRUE(TranslucencyOf(main.hWnd()).Opaque());
}
