// The program from the keyboard alone, with real keys: the menu keys open the
// popup menu at the view-finder, Tab walks the five fields, the advanced
// view's sliders answer the arrows and the page keys and Tab reaches its
// buttons, and Esc puts the advanced view and the Help note away.
#include "advanced/frm_advanced.h"
#include "info/frm_help.h"
#include "mainwindow/frm_main.h"
#include "support/advanced_access.h"
#include "support/all.h"
#include "winservices/api_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr COLORREF kSample = RGB(10, 20, 30);

class KeyboardAccess : public tktest::WindowTest {
protected:
    FrmMain& StartPicker()
    {
        m_backdrop.Paint(kSample);
        FrmMain& main = *frmMain;
        main.Show();
        tktest::WaitPainted(main.hWnd());
        Activate(main.hWnd());
        main.RefreshColor();
        return main;
    }
    static void Activate(HWND window)
    {
        ::SetForegroundWindow(window);
        ASSERT_TRUE(tktest::PumpUntil([&] { return ::GetForegroundWindow() == window; }, 2000));
    }
    static void Press(std::initializer_list<WORD> keys)
    {
        tktest::Keystroke(keys);
    }
    static std::wstring FocusText() { return tktest::WindowText(::GetFocus()); }
    // Whether a frame in the text colour runs down the left of a child window, a pixel out.
    static bool Framed(HWND child)
    {
        tktest::WaitPainted(::GetAncestor(child, GA_ROOT));
        const HWND parent = ::GetParent(child);
        RECT place{};
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
        const tktest::Pixels column = tktest::ReadClient(parent, {place.left - 1, place.top - 1, place.left, place.bottom + 1});
        const COLORREF frame = ::GetSysColor(COLOR_WINDOWTEXT);
        return column.Count({0, 0, 1, column.height}, [&](COLORREF c) { return c == frame; }) == column.height;
    }
    // The menu a chord should open, answered with `keys`. Should the chord
    // open no menu but start some other modal loop, Esc from a second thread
    // ends it, so the test fails rather than hangs.
    static tktest::MenuSeen MenuFromKeys(std::initializer_list<WORD> chord, std::vector<WPARAM> keys)
    {
        std::atomic<bool> done{false};
        std::thread rescue([&] {
            if (!tktest::WaitUntil([&] { return done.load(); }))
                tktest::PressKey(VK_ESCAPE);
        });
        const tktest::MenuSeen seen = tktest::AnswerMenu(std::move(keys), [&] { Press(chord); });
        done = true;
        rescue.join();
        return seen;
    }

    tktest::Backdrop m_backdrop;
};

} // namespace

TEST_F(KeyboardAccess, MenuKeysOpenThePopupMenuAtTheViewFinder)
{
    FrmMain& main = StartPicker();
    const POINT corner = main.PositionPixels();
    const POINT sample{corner.x + main.SampleOffset().x, corner.y + main.SampleOffset().y};

    // Shift+F10, then Esc: the menu was there, at the view-finder, and nothing ran.
    tktest::MenuSeen seen = MenuFromKeys({VK_SHIFT, VK_F10}, {VK_ESCAPE});
    ASSERT_TRUE(seen.seen);
    EXPECT_NEAR(seen.placement.left, sample.x, 2);
    EXPECT_NEAR(seen.placement.top, sample.y, 2);
    EXPECT_EQ(seen.captions, tktest::ExpectedMenuCaptions());
    EXPECT_FALSE(main.LockUpdateInfo());

    // The Menu key, Down to the first item and Enter: Lock.
    seen = MenuFromKeys({VK_APPS}, {VK_DOWN, VK_RETURN});
    ASSERT_TRUE(seen.seen);
    EXPECT_NEAR(seen.placement.left, sample.x, 2);
    EXPECT_TRUE(main.LockUpdateInfo());
}

TEST_F(KeyboardAccess, TabWalksTheFiveFieldsAndTheKeysKeepWorking)
{
    FrmMain& main = StartPicker();
    ASSERT_EQ(main.FieldText(0), L"#0A141E");
    // Row by row, each field selected whole as it takes the focus, round again at the end.
    const std::vector<std::wstring> rows = {L"#0A141E", L"1971210", L"10", L"20", L"30", L"#0A141E"};
    for (const std::wstring& row : rows) {
        Press({VK_TAB});
        EXPECT_EQ(FocusText(), row);
        DWORD start = 1, end = 0;
        ::SendMessageW(::GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, row.size());
    }
    Press({VK_SHIFT, VK_TAB});
    EXPECT_EQ(FocusText(), L"30");
    Press({VK_SHIFT, VK_TAB});
    EXPECT_EQ(FocusText(), L"20");

    // Ctrl+C copies the focused field, and the arrows still nudge with it focused.
    Press({VK_TAB});
    tktest::PutClipboardText(L"before");
    Press({VK_CONTROL, 'C'});
    EXPECT_TRUE(tktest::PumpUntil([] { return tktest::ClipboardText() == L"30"; }, 2000)) << tktest::ClipboardText();
    const POINT before = main.PositionPixels();
    Press({VK_RIGHT});
    EXPECT_EQ(main.PositionPixels().x, before.x + 1);
}

TEST_F(KeyboardAccess, AdvancedViewSlidersPagesTabAndEsc)
{
    FrmMain& main = StartPicker();
    frmAdvanced->ShowWindow(main.LastColor());
    FrmAdvanced& advanced = *frmAdvanced;
    FrmAdvancedTestAccess parts{advanced};
    Activate(advanced.hWnd());
    ASSERT_TRUE(tktest::PumpUntil([&] { return ::GetFocus() == parts.Slider(0).hWnd(); }, 2000));

    EXPECT_TRUE(Framed(parts.Slider(0).hWnd()));
    Press({VK_RIGHT});
    EXPECT_EQ(parts.Slider(0).Value(), 11);
    Press({VK_NEXT});
    EXPECT_EQ(parts.Slider(0).Value(), 27);
    Press({VK_PRIOR});
    Press({VK_PRIOR});
    EXPECT_EQ(parts.Slider(0).Value(), 0); // stops at the start
    EXPECT_EQ(parts.Hex().Text(), L"00141E");

    // Tab: green, blue, the two fields, then the clickable labels as buttons.
    Press({VK_TAB});
    EXPECT_EQ(::GetFocus(), parts.Slider(1).hWnd());
    EXPECT_TRUE(Framed(parts.Slider(1).hWnd()));
    EXPECT_FALSE(Framed(parts.Slider(0).hWnd()));
    Press({VK_NEXT});
    EXPECT_EQ(parts.Slider(1).Value(), 36);
    Press({VK_TAB});
    EXPECT_EQ(::GetFocus(), parts.Slider(2).hWnd());
    Press({VK_TAB});
    EXPECT_EQ(::GetFocus(), parts.Hex().hWnd());
    Press({VK_TAB});
    EXPECT_EQ(::GetFocus(), parts.Numeric().hWnd());
    // The stop colour, then the corners from the top-left: Enter on that one sends the window there.
    Press({VK_TAB});
    Press({VK_TAB});
    const HWND topLeft = ::GetFocus();
    EXPECT_TRUE(::IsChild(advanced.hWnd(), topLeft));
    Press({VK_RETURN});
    EXPECT_EQ(advanced.PositionPixels().x, 0);
    EXPECT_EQ(advanced.PositionPixels().y, 0);
    // Its focus shows as a frame around the corner button, drawn on the window.
    tktest::WaitPainted(advanced.hWnd());
    const tktest::Pixels corner = tktest::ReadClient(advanced.hWnd(), {0, 0, 16, 16});
    const COLORREF frame = ::GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GE(corner.Count({10, 0, 11, 12}, [&](COLORREF c) { return c == frame; }), 11); // its right side

    Press({VK_ESCAPE});
    EXPECT_TRUE(tktest::PumpUntil([] { return !IsFormLoaded(L"frmAdvanced"); }, 2000));
}

TEST_F(KeyboardAccess, EscPutsTheHelpNoteAway)
{
    FrmMain& main = StartPicker();
    main.MostraGuida();
    Activate(frmHelp->hWnd());
    Press({VK_ESCAPE});
    EXPECT_TRUE(tktest::PumpUntil([] { return !IsFormLoaded(L"frmHelp"); }, 2000));
}
