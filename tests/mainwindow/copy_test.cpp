// Copying the colour: every item of the Copy submenu puts exactly the text it
// shows on the clipboard, Ctrl+C copies the web colour unless a field has a
// selection of its own, and a clipboard held by another program costs a
// short wait at most.
#include "mainwindow/frm_main.h"
#include "resources/resource.h"
#include "support/all.h"
#include "winservices/clipboard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

using tktest::ClipboardText;
using tktest::PutClipboardText;

namespace {

constexpr COLORREF kOrange = RGB(255, 128, 0);

class Copy : public tktest::WindowTest {
protected:
    void SetUp() override
    {
        m_backdrop.Paint(kOrange);
        PutClipboardText(L"before");
    }
    FrmMain& StartPicker()
    {
        FrmMain& main = *frmMain;
        main.Show();
        return main;
    }
    // Chooses the n-th item (from 0) of the Copy submenu: up from Exit over
    // History, Sample and Zoom to Copy, right into the submenu, down to the item.
    tktest::MenuSeen ChooseCopyItem(FrmMain& main, int n)
    {
        std::vector<WPARAM> keys = {VK_UP, VK_UP, VK_UP, VK_UP, VK_UP, VK_RIGHT};
        keys.insert(keys.end(), static_cast<std::size_t>(n), VK_DOWN);
        keys.push_back(VK_RETURN);
        return tktest::AnswerMenu(keys, [&] { main.ShowPopupMenu(); });
    }
    void PressCtrlC() { tktest::Keystroke({VK_CONTROL, 'C'}); }

    tktest::FreshAppData m_appData; // the copies' history starts empty
    tktest::Backdrop m_backdrop;
};

} // namespace

TEST_F(Copy, EachItemCopiesTheTextItShowsAndTheMenuKeepsItsOrder)
{
    FrmMain& main = StartPicker();
    const std::vector<std::wstring> texts = {
        L"#FF8000",          L"FF8000",        L"rgb(255, 128, 0)",         L"hsl(30, 100%, 50%)",
        L"hsv(30, 100%, 100%)", L"oklch(73.2% 0.186 53.0)", L"0x000080FF", L"1.000, 0.502, 0.000",
        L"33023",            L"darkorange"};
    tktest::MenuSeen menu;
    // Whatever the clipboard held goes: a program that prefers another
    // format must not paste the old content.
    for (int n = 0; n < static_cast<int>(texts.size()); ++n) {
        PutClipboardText(L"before", true);
        menu = ChooseCopyItem(main, n);
        EXPECT_EQ(ClipboardText(), texts[static_cast<std::size_t>(n)]) << "item " << n;
        EXPECT_FALSE(::IsClipboardFormatAvailable(tktest::HtmlFormat())) << "item " << n;
    }
    // What the submenu showed is what it copied; a near name shows as near.
    const tk::MenuItem* copy = main.PopupMenuItems().Items[8];
    ASSERT_EQ(copy->Items.size(), texts.size());
    for (std::size_t n = 0; n + 1 < texts.size(); ++n)
        EXPECT_EQ(copy->Items[n]->Caption, texts[n]);
    EXPECT_EQ(copy->Items.back()->Caption, L"\u2248 darkorange");
    // Every copy entered the history, once.
    ASSERT_EQ(main.History().Colours().size(), 1u);
    EXPECT_EQ(main.History().Colours()[0], 0x0080FF);

    // The design's items keep their places; the additions form a group of
    // their own before Exit, in the user's language.
    ASSERT_NE(tktest::ExpectedLanguage(), "") << tktest::kNoExpectedLanguage;
    const std::vector<std::wstring> captions = tktest::ExpectedMenuCaptions();
    EXPECT_EQ(menu.captions, captions);
    ASSERT_EQ(menu.enabled.size(), captions.size());
    EXPECT_TRUE(menu.enabled[8]);

    // With no colour (an unreadable sample) the Copy item is greyed, and
    // neither it nor Ctrl+C copies anything.
    main.SetPixelReader([](std::int32_t, std::int32_t) { return -1; });
    main.RefreshColor();
    menu = tktest::AnswerMenu({VK_ESCAPE}, [&] { main.ShowPopupMenu(); });
    ASSERT_EQ(menu.enabled.size(), captions.size());
    EXPECT_FALSE(menu.enabled[8]);
    for (const tk::MenuItem* item : copy->Items)
        EXPECT_FALSE(item->Enabled);
    PutClipboardText(L"before");
    copy->Items[0]->Click();
    ::SetForegroundWindow(main.hWnd());
    ASSERT_TRUE(tktest::PumpUntil([&] { return ::GetForegroundWindow() == main.hWnd(); }));
    PressCtrlC();
    EXPECT_EQ(ClipboardText(), L"before");
}

TEST_F(Copy, CtrlCCopiesTheWebColourUnlessAFieldHasASelection)
{
    FrmMain& main = StartPicker();
    ::SetForegroundWindow(main.hWnd());
    ASSERT_TRUE(tktest::PumpUntil([&] { return ::GetForegroundWindow() == main.hWnd(); }));

    PressCtrlC();
    EXPECT_EQ(ClipboardText(), L"#FF8000");

    // Part of the Web field selected: Ctrl+C copies that part, as it always did.
    HWND web = ::FindWindowExW(main.Skin().hWnd(), nullptr, tk::kTextFieldClass, nullptr);
    ASSERT_EQ(tktest::WindowText(web), L"#FF8000");
    ::SetFocus(web);
    ::SendMessageW(web, EM_SETSEL, 1, 3);
    PressCtrlC();
    EXPECT_EQ(ClipboardText(), L"FF");

    // The focus still in the field but nothing selected: the colour again.
    ::SendMessageW(web, EM_SETSEL, 0, 0);
    PutClipboardText(L"before");
    PressCtrlC();
    EXPECT_EQ(ClipboardText(), L"#FF8000");
}

TEST_F(Copy, AClipboardHeldByAnotherProgramIsWaitedForBrieflyAndNeverHangs)
{
    FrmMain& main = StartPicker();
    {
        // Let go a moment after the copy began (a fifth of the 50 ms the
        // copy gives it): the copy waits for it and succeeds.
        std::atomic<DWORD> began{0};
        tktest::ClipboardHolder holder([&] { return began != 0 && ::GetTickCount() - began >= 10; });
        ASSERT_TRUE(holder.Holding());
        began = ::GetTickCount() | 1;
        EXPECT_TRUE(CopyTextToClipboard(main.hWnd(), L"#FF8000"));
    }
    EXPECT_EQ(ClipboardText(), L"#FF8000");
    {
        // Held until the copy is over: the copy gives up by itself (no
        // hang), silently (no message box), and leaves the clipboard be.
        std::atomic<bool> over{false};
        tktest::ClipboardHolder holder([&] { return over.load(); });
        ASSERT_TRUE(holder.Holding());
        EXPECT_FALSE(CopyTextToClipboard(main.hWnd(), L"other"));
        EXPECT_FALSE(holder.Released()) << "the copy waited for the holder to let go";
        EXPECT_EQ(tktest::FindDialog(::GetCurrentThreadId()), nullptr) << "no message box";
        over = true;
    }
    EXPECT_EQ(ClipboardText(), L"#FF8000");
}
