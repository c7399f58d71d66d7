// Copying the colour: every item of the Copy submenu puts exactly the text it
// shows on the clipboard, Ctrl+C copies the web colour unless a field has a
// selection of its own, and a clipboard held by another program costs a
// short wait at most.
#include "mainwindow/frm_main.h"
#include "support/backdrop.h"
#include "support/clipboard.h"
#include "support/keys.h"
#include "winservices/api_window.h"
#include "winservices/clipboard.h"

#include <gtest/gtest.h>

#include <cstdlib>

using testing_support::Backdrop;
using testing_support::ClipboardHolder;
using testing_support::ClipboardText;
using testing_support::MenuAnswer;
using testing_support::PressKeys;
using testing_support::PumpFor;
using testing_support::PutClipboardText;

namespace {

constexpr COLORREF kOrange = RGB(255, 128, 0);

class Copy : public ::testing::Test {
protected:
    void SetUp() override
    {
        tk::SetUnhandledErrorHandler([this](const tk::AppError& error) { m_errors.push_back(error.Number()); });
        m_backdrop.Paint(kOrange);
        PutClipboardText(L"before");
    }
    void TearDown() override
    {
        if (IsFormLoaded(L"frmMain"))
            frmMain->Unload();
        tk::CollectRetiredForms();
        tk::SetUnhandledErrorHandler(nullptr);
        EXPECT_TRUE(m_errors.empty()) << "an unhandled error, number " << m_errors.front();
    }
    FrmMain& StartPicker()
    {
        FrmMain& main = *frmMain;
        main.Show();
        PumpFor(std::chrono::milliseconds(200));
        return main;
    }
    // Chooses the n-th item (from 0) of the Copy submenu: up from Exit over
    // Zoom to Copy, right into the submenu, down to the item.
    void ChooseCopyItem(FrmMain& main, int n)
    {
        std::vector<WPARAM> keys = {VK_UP, VK_UP, VK_UP, VK_RIGHT};
        keys.insert(keys.end(), static_cast<std::size_t>(n), VK_DOWN);
        keys.push_back(VK_RETURN);
        MenuAnswer answer(keys);
        main.ShowPopupMenu();
    }

    Backdrop m_backdrop;
    std::vector<long> m_errors;
};

} // namespace

TEST_F(Copy, EachItemCopiesTheTextItShowsAndTheMenuKeepsItsOrder)
{
    FrmMain& main = StartPicker();
    const std::vector<std::wstring> texts = {L"#FF8000", L"FF8000", L"rgb(255, 128, 0)", L"hsl(30, 100%, 50%)",
                                             L"33023"};
    for (int n = 0; n < 5; ++n) {
        PutClipboardText(L"before");
        ChooseCopyItem(main, n);
        EXPECT_EQ(ClipboardText(), texts[static_cast<std::size_t>(n)]) << "item " << n;
    }
    // What the submenu showed is what it copied.
    const tk::MenuItem* copy = main.PopupMenuItems().Items[8];
    ASSERT_EQ(copy->Items.size(), 5u);
    for (std::size_t n = 0; n < 5; ++n)
        EXPECT_EQ(copy->Items[n]->Caption, texts[n]);

    // The design's items keep their places; the additions form a group of
    // their own before Exit, in the user's language.
    const char* language = std::getenv("TAVOLISK_EXPECT_LANGUAGE");
    const bool italian = language && std::string(language) == "it";
    const std::vector<std::wstring> expected =
        italian ? std::vector<std::wstring>{L"Blocca", L"-", L"Guida", L"Informazioni...", L"-", L"Vista estesa...",
                                            L"Spostamento in trasparenza", L"-", L"Copia", L"Lente", L"-", L"Uscita"}
                : std::vector<std::wstring>{L"Lock", L"-", L"Help", L"About...", L"-", L"Advanced view...",
                                            L"Move with alpha", L"-", L"Copy", L"Zoom", L"-", L"Exit"};
    EXPECT_EQ(MenuAnswer::s_captions, expected);
    ASSERT_EQ(MenuAnswer::s_enabled.size(), expected.size());
    EXPECT_TRUE(MenuAnswer::s_enabled[8]);

    // With no colour (an unreadable sample) the Copy item is greyed and copies nothing.
    main.SetPixelReader([](std::int32_t, std::int32_t) { return -1; });
    main.RefreshColor();
    {
        MenuAnswer answer({VK_ESCAPE});
        main.ShowPopupMenu();
    }
    EXPECT_FALSE(MenuAnswer::s_enabled[8]);
    PutClipboardText(L"before");
    copy->Items[0]->Click();
    PressKeys({VK_CONTROL, 'C'});
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(ClipboardText(), L"before");
}

TEST_F(Copy, CtrlCCopiesTheWebColourUnlessAFieldHasASelection)
{
    FrmMain& main = StartPicker();
    ::SetForegroundWindow(main.hWnd());
    PumpFor(std::chrono::milliseconds(100));
    ASSERT_EQ(::GetForegroundWindow(), main.hWnd());

    PressKeys({VK_CONTROL, 'C'});
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(ClipboardText(), L"#FF8000");

    // Part of the Web field selected: Ctrl+C copies that part, as it always did.
    HWND web = ::FindWindowExW(main.Skin().hWnd(), nullptr, L"Edit", nullptr);
    ASSERT_NE(web, nullptr);
    ::SetFocus(web);
    ::SendMessageW(web, EM_SETSEL, 1, 3);
    PressKeys({VK_CONTROL, 'C'});
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(ClipboardText(), L"FF");

    // The focus still in the field but nothing selected: the colour again.
    ::SendMessageW(web, EM_SETSEL, 0, 0);
    PutClipboardText(L"before");
    PressKeys({VK_CONTROL, 'C'});
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(ClipboardText(), L"#FF8000");
}

TEST_F(Copy, AClipboardHeldByAnotherProgramIsWaitedForBrieflyAndNeverHangs)
{
    FrmMain& main = StartPicker();
    {
        // Let go after a moment: the copy waits for it and succeeds.
        ClipboardHolder holder(std::chrono::milliseconds(60));
        ASSERT_TRUE(holder.Holding());
        EXPECT_TRUE(CopyTextToClipboard(main.hWnd(), L"#FF8000"));
    }
    EXPECT_EQ(ClipboardText(), L"#FF8000");
    {
        // Held for long: the copy gives up in well under a second, silently.
        ClipboardHolder holder(std::chrono::milliseconds(2000));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(CopyTextToClipboard(main.hWnd(), L"other"));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
        EXPECT_EQ(::FindWindowW(L"#32770", nullptr), nullptr) << "no message box";
    }
    EXPECT_EQ(ClipboardText(), L"#FF8000");
}
