// The arrow keys move the active main window by one physical pixel (ten with
// Shift) and sample as one drag step does: the fields, an open advanced view
// and Lock all behave as they do for a drag.
#include "advanced/frm_advanced.h"
#include "mainwindow/frm_main.h"
#include "support/advanced_access.h"
#include "support/all.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr COLORREF kOrange = RGB(255, 128, 0);
constexpr COLORREF kNavy = RGB(18, 52, 86);

class Nudge : public tktest::WindowTest {
protected:
    void Press(std::initializer_list<WORD> keys)
    {
        tktest::PressChord(keys);
        tktest::Pump(150);
    }
    // The Web field's text once it shows `expected`, or after a generous wait.
    static std::wstring WebField(FrmMain& main, const std::wstring& expected)
    {
        tktest::PumpUntil([&] { return main.FieldText(0) == expected; }, 2000);
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
    tktest::Pump(200);
    ::SetForegroundWindow(main.hWnd());
    tktest::Pump(100);
    ASSERT_EQ(::GetForegroundWindow(), main.hWnd());
    const POINT start = main.PositionPixels();
    // Orange up to the sample point, navy from the next pixel on.
    m_backdrop.Paint(kOrange, kNavy, start.x + FrmMain::kSampleX + 1);
    main.RefreshColor();
    ASSERT_EQ(main.FieldText(0), L"#FF8000");

    Press({VK_RIGHT});
    EXPECT_EQ(main.PositionPixels().x, start.x + 1);
    EXPECT_EQ(main.PositionPixels().y, start.y);
    EXPECT_EQ(WebField(main, L"#123456"), L"#123456");
    EXPECT_EQ(main.FieldText(1), L"5649426");

    Press({VK_SHIFT, VK_LEFT});
    EXPECT_EQ(main.PositionPixels().x, start.x - 9);
    EXPECT_EQ(WebField(main, L"#FF8000"), L"#FF8000");
    Press({VK_DOWN});
    Press({VK_SHIFT, VK_UP});
    EXPECT_EQ(main.PositionPixels().y, start.y - 9);

    // The key is the window's even while a field has the focus and a selection.
    HWND web = ::FindWindowExW(main.Skin().hWnd(), nullptr, tk::kTextFieldClass, nullptr);
    ::SetFocus(web);
    ::SendMessageW(web, EM_SETSEL, 0, 3);
    Press({VK_SHIFT, VK_RIGHT});
    EXPECT_EQ(main.PositionPixels().x, start.x + 1);
    EXPECT_EQ(WebField(main, L"#123456"), L"#123456");

    // An open advanced view follows the nudge as it follows a drag...
    frmAdvanced->ShowWindow(main.LastColor());
    tk::TextBox& advancedHex = FrmAdvancedTestAccess{*frmAdvanced}.Hex();
    ::SetForegroundWindow(main.hWnd());
    tktest::Pump(100);
    Press({VK_LEFT});
    EXPECT_EQ(WebField(main, L"#FF8000"), L"#FF8000");
    EXPECT_EQ(advancedHex.Text(), L"FF8000");

    // ...and under Lock the window still moves while everything stays.
    tktest::AnswerMenu({VK_DOWN, VK_RETURN}, [&] { main.ShowPopupMenu(); }); // Lock
    ASSERT_TRUE(main.LockUpdateInfo());
    Press({VK_RIGHT});
    EXPECT_EQ(main.PositionPixels().x, start.x + 1);
    EXPECT_EQ(main.FieldText(0), L"#FF8000");
    EXPECT_EQ(advancedHex.Text(), L"FF8000");
}
