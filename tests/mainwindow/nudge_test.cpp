// The arrow keys move the active main window by one physical pixel (ten with
// Shift) and sample as one drag step does: the fields, an open advanced view
// and Lock all behave as they do for a drag.
#include "advanced/frm_advanced.h"
#include "colour/mouse_function.h"
#include "mainwindow/frm_main.h"
#include "support/advanced_access.h"
#include "support/all.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF kOrange = RGB(255, 128, 0);
constexpr COLORREF kNavy = RGB(18, 52, 86);

class Nudge : public tktest::WindowTest {
protected:
    // The Web field's text once it shows `expected`, or after a generous wait.
    static std::wstring WebField(FrmMain& main, const std::wstring& expected)
    {
        tktest::PumpUntil([&] { return main.FieldText(0) == expected; });
        return main.FieldText(0);
    }

    tktest::Backdrop m_backdrop;
};

} // namespace

TEST_F(Nudge, ArrowsMoveTheWindowPixelByPixelAndSampleAsADragStepDoes)
{
    m_backdrop.Paint(kOrange);
    FrmMain& main = *frmMain;
    main.Show();
    ::SetForegroundWindow(main.hWnd());
    ASSERT_TRUE(tktest::PumpUntil([&] { return ::GetForegroundWindow() == main.hWnd(); }));
    const POINT start = main.PositionPixels();
    // Orange up to the sample point, navy from the next pixel on.
    m_backdrop.Paint(kOrange, kNavy, start.x + FrmMain::kSampleX + 1);
    ASSERT_TRUE(tktest::PumpUntil([&] { return tktest::ScreenPixel(start.x + FrmMain::kSampleX + 1, start.y - 1) == kNavy; }));
    main.RefreshColor();
    ASSERT_EQ(main.FieldText(0), L"#FF8000");

    // The key is handled as the program's pump would, and nothing else runs:
    // the new point is read at once, not only by a later sample.
    std::vector<POINT> reads;
    main.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        reads.push_back({x, y});
        return GetScreenPixel(x, y);
    });
    tktest::PressChord({VK_RIGHT});
    MSG key{};
    ASSERT_TRUE(tktest::WaitUntil([&] { return ::PeekMessageW(&key, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE) != 0; }));
    EXPECT_TRUE(tk::PreTranslateForForms(key));
    EXPECT_EQ(main.PositionPixels().x, start.x + 1);
    EXPECT_EQ(main.PositionPixels().y, start.y);
    ASSERT_FALSE(reads.empty()) << "the nudge read no pixel as it moved";
    EXPECT_EQ(reads.back().x, start.x + 1 + FrmMain::kSampleX);
    EXPECT_EQ(reads.back().y, start.y + FrmMain::kSampleY);
    main.SetPixelReader(&GetScreenPixel);
    EXPECT_EQ(WebField(main, L"#123456"), L"#123456");
    EXPECT_EQ(main.FieldText(1), L"5649426");

    tktest::Keystroke({VK_SHIFT, VK_LEFT});
    EXPECT_EQ(main.PositionPixels().x, start.x - 9);
    EXPECT_EQ(WebField(main, L"#FF8000"), L"#FF8000");
    tktest::Keystroke({VK_DOWN});
    tktest::Keystroke({VK_SHIFT, VK_UP});
    EXPECT_EQ(main.PositionPixels().y, start.y - 9);

    // The key is the window's even while a field has the focus and a selection.
    HWND web = ::FindWindowExW(main.Skin().hWnd(), nullptr, tk::kTextFieldClass, nullptr);
    ::SetFocus(web);
    ::SendMessageW(web, EM_SETSEL, 0, 3);
    tktest::Keystroke({VK_SHIFT, VK_RIGHT});
    EXPECT_EQ(main.PositionPixels().x, start.x + 1);
    EXPECT_EQ(WebField(main, L"#123456"), L"#123456");

    // An open advanced view follows the nudge as it follows a drag...
    frmAdvanced->ShowWindow(main.LastColor());
    tk::TextBox& advancedHex = FrmAdvancedTestAccess{*frmAdvanced}.Hex();
    ::SetForegroundWindow(main.hWnd());
    ASSERT_TRUE(tktest::PumpUntil([&] { return ::GetForegroundWindow() == main.hWnd(); }));
    tktest::Keystroke({VK_LEFT});
    EXPECT_EQ(WebField(main, L"#FF8000"), L"#FF8000");
    EXPECT_EQ(advancedHex.Text(), L"FF8000");

    // ...and under Lock the window still moves while everything stays.
    tktest::AnswerMenu({VK_DOWN, VK_RETURN}, [&] { main.ShowPopupMenu(); }); // Lock
    ASSERT_TRUE(main.LockUpdateInfo());
    tktest::Keystroke({VK_RIGHT});
    EXPECT_EQ(main.PositionPixels().x, start.x + 1);
    EXPECT_EQ(main.FieldText(0), L"#FF8000");
    EXPECT_EQ(advancedHex.Text(), L"FF8000");
}
