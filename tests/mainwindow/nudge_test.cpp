// The arrow keys move the active main window by one physical pixel (ten with
// Shift) and sample as one drag step does: the fields, an open advanced view
// and Lock all behave as they do for a drag.
#include "advanced/frm_advanced.h"
#include "mainwindow/frm_main.h"
#include "support/backdrop.h"
#include "support/keys.h"
#include "winservices/api_window.h"

#include <gtest/gtest.h>

using testing_support::Backdrop;
using testing_support::MenuAnswer;
using testing_support::PressKeys;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

constexpr COLORREF kOrange = RGB(255, 128, 0);
constexpr COLORREF kNavy = RGB(18, 52, 86);

std::wstring AdvancedHex()
{
    HWND edit = ::FindWindowExW(frmAdvanced->hWnd(), nullptr, L"Edit", nullptr);
    wchar_t text[64]{};
    ::GetWindowTextW(edit, text, 64);
    return text;
}

class Nudge : public ::testing::Test {
protected:
    void SetUp() override
    {
        tk::SetUnhandledErrorHandler([this](const tk::AppError& error) { m_errors.push_back(error.Number()); });
        m_backdrop.Paint(kOrange);
    }
    void TearDown() override
    {
        if (IsFormLoaded(L"frmAdvanced"))
            frmAdvanced->Unload();
        if (IsFormLoaded(L"frmMain"))
            frmMain->Unload();
        tk::CollectRetiredForms();
        tk::SetUnhandledErrorHandler(nullptr);
        EXPECT_TRUE(m_errors.empty()) << "an unhandled error, number " << m_errors.front();
    }
    void Press(std::initializer_list<WORD> keys)
    {
        PressKeys(keys);
        PumpFor(std::chrono::milliseconds(150));
    }
    // The Web field's text once it shows `expected`, or after a generous wait.
    static std::wstring WebField(FrmMain& main, const std::wstring& expected)
    {
        PumpUntil([&] { return main.FieldText(0) == expected; }, std::chrono::milliseconds(2000));
        return main.FieldText(0);
    }

    Backdrop m_backdrop;
    std::vector<long> m_errors;
};

} // namespace

TEST_F(Nudge, ArrowsMoveTheWindowPixelByPixelAndSampleAsADragStepDoes)
{
    FrmMain& main = *frmMain;
    main.Show();
    PumpFor(std::chrono::milliseconds(200));
    ::SetForegroundWindow(main.hWnd());
    PumpFor(std::chrono::milliseconds(100));
    ASSERT_EQ(::GetForegroundWindow(), main.hWnd());
    const POINT start = main.PositionPixels();
    const int sampleX = start.x + FrmMain::kSampleX;
    // Orange up to the sample point, navy from the next pixel on.
    m_backdrop.Paint(kOrange, kNavy, sampleX + 1);
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
    HWND web = ::FindWindowExW(main.Skin().hWnd(), nullptr, L"Edit", nullptr);
    ::SetFocus(web);
    ::SendMessageW(web, EM_SETSEL, 0, 3);
    Press({VK_SHIFT, VK_RIGHT});
    EXPECT_EQ(main.PositionPixels().x, start.x + 1);
    EXPECT_EQ(WebField(main, L"#123456"), L"#123456");

    // An open advanced view follows the nudge as it follows a drag...
    frmAdvanced->ShowWindow(main.LastColor());
    ::SetForegroundWindow(main.hWnd());
    PumpFor(std::chrono::milliseconds(100));
    Press({VK_LEFT});
    EXPECT_EQ(WebField(main, L"#FF8000"), L"#FF8000");
    EXPECT_EQ(AdvancedHex(), L"FF8000");

    // ...and under Lock the window still moves while everything stays.
    {
        MenuAnswer answer({VK_DOWN, VK_RETURN}); // Lock
        main.ShowPopupMenu();
    }
    ASSERT_TRUE(main.LockUpdateInfo());
    Press({VK_RIGHT});
    EXPECT_EQ(main.PositionPixels().x, start.x + 1);
    EXPECT_EQ(WebField(main, L"#FF8000"), L"#FF8000");
    EXPECT_EQ(AdvancedHex(), L"FF8000");
}
