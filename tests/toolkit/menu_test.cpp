// Popup menus answered from a timer of the same thread while the menu runs:
// the chosen item's Click runs before PopupMenu returns, and the menu shown
// carries the items' captions, check marks and disabled states.
#include "toolkit/menu.h"

#include "toolkit/win_test_support.h"

#include <gtest/gtest.h>

using tktest::Place;
using tktest::TestForm;

namespace {

struct ItemState {
    std::wstring text;
    UINT state;
};

// What the timer saw of the open menu, and the keys it then pressed.
struct MenuAnswer {
    std::vector<UINT> keys;
    bool cancelMode = false;
    bool seen = false;
    RECT placement{};
    std::vector<ItemState> items;
};
MenuAnswer* g_answer = nullptr;

void CALLBACK AnswerMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
    if (!menuWindow || !::IsWindowVisible(menuWindow))
        return; // not open yet: the next tick tries again
    ::KillTimer(nullptr, timer);
    MenuAnswer& answer = *g_answer;
    answer.seen = true;
    ::GetWindowRect(menuWindow, &answer.placement);
    const auto menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[64]{};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        answer.items.push_back({text, ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION)});
    }
    if (answer.cancelMode)
        ::PostMessageW(menuWindow, WM_CANCELMODE, 0, 0);
    for (const UINT key : answer.keys)
        ::PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
}

struct PopupFixture : ::testing::Test {
    TestForm owner{L"owner", Place(200, 200, 200, 150), RGB(0, 90, 0)};
    tk::MenuItem lock{L"Lock"};
    tk::MenuItem sep1{L"-"};
    tk::MenuItem help{L"Help"};
    tk::MenuItem about{L"About..."};
    tk::MenuItem hidden{L"Hidden"};
    tk::MenuItem sep2{L"-"};
    tk::MenuItem exit{L"Exit"};
    tk::Menu menu;
    std::vector<std::string> ran;
    MenuAnswer answer;

    void SetUp() override
    {
        menu.Items = {&lock, &sep1, &help, &about, &hidden, &sep2, &exit};
        menu.Visible = false;
        lock.Checked = true;
        about.Enabled = false;
        hidden.Visible = false;
        for (tk::MenuItem* item : menu.Items) {
            const std::string name = tk::Narrow(item->Caption);
            item->Click = [this, name] { ran.push_back(name); };
        }
        owner.ShowAt();
        g_answer = &answer;
    }
    void TearDown() override { g_answer = nullptr; }

    // Opens the menu at (x, y) on the screen and lets the timer answer it.
    void Open(std::vector<UINT> keys, int x = 260, int y = 250)
    {
        answer.keys = std::move(keys);
        ::SetCursorPos(x, y);
        ::SetTimer(nullptr, 0, 50, &AnswerMenu);
        tk::PopupMenu(owner, menu);
        ran.push_back("returned");
        ASSERT_TRUE(answer.seen);
    }
};

using Ran = std::vector<std::string>;

} // namespace

TEST_F(PopupFixture, ChoosingAnItemRunsItsClickBeforeReturning)
{
    Open({VK_DOWN, VK_RETURN});
    EXPECT_EQ(ran, (Ran{"Lock", "returned"}));

    ran.clear();
    Open({VK_UP, VK_RETURN});
    EXPECT_EQ(ran, (Ran{"Exit", "returned"}));

    // Down from the top: Lock, Help (the separator is passed over).
    ran.clear();
    Open({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(ran, (Ran{"Help", "returned"}));
}

TEST_F(PopupFixture, ADismissedMenuRunsNothing)
{
    Open({VK_ESCAPE});
    EXPECT_EQ(ran, (Ran{"returned"}));
    ran.clear();
    answer = {};
    answer.cancelMode = true;
    Open({});
    EXPECT_EQ(ran, (Ran{"returned"}));
}

TEST_F(PopupFixture, TheMenuShowsCaptionsCheckMarksAndDisabledItemsAtTheCursor)
{
    Open({VK_ESCAPE}, 300, 280);
    ASSERT_EQ(answer.items.size(), 6u) << "the invisible item is left out";
    EXPECT_EQ(answer.items[0].text, L"Lock");
    EXPECT_TRUE(answer.items[0].state & MF_CHECKED);
    EXPECT_FALSE(answer.items[0].state & MF_GRAYED);
    EXPECT_TRUE(answer.items[1].state & MF_SEPARATOR);
    EXPECT_EQ(answer.items[2].text, L"Help");
    EXPECT_FALSE(answer.items[2].state & (MF_CHECKED | MF_GRAYED | MF_DISABLED));
    EXPECT_EQ(answer.items[3].text, L"About...");
    EXPECT_TRUE(answer.items[3].state & MF_GRAYED);
    EXPECT_TRUE(answer.items[4].state & MF_SEPARATOR);
    EXPECT_EQ(answer.items[5].text, L"Exit");
    EXPECT_EQ(answer.placement.left, 300);
    EXPECT_EQ(answer.placement.top, 280);

    // The menu is built afresh from the items each time it opens.
    lock.Checked = false;
    about.Enabled = true;
    exit.Caption = L"Uscita";
    answer = {};
    Open({VK_ESCAPE});
    ASSERT_EQ(answer.items.size(), 6u);
    EXPECT_FALSE(answer.items[0].state & MF_CHECKED);
    EXPECT_FALSE(answer.items[3].state & MF_GRAYED);
    EXPECT_EQ(answer.items[5].text, L"Uscita");
}

TEST_F(PopupFixture, ADisabledItemCannotBeChosen)
{
    // Up from the bottom: Exit, then About..., which is disabled.
    Open({VK_UP, VK_UP, VK_RETURN, VK_ESCAPE});
    EXPECT_EQ(ran, (Ran{"returned"}));
}
