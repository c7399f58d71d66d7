// Popup menus answered from a timer of the same thread while the menu runs:
// the chosen item's Click runs before PopupMenu returns, and the menu shown
// carries the items' captions, check marks and disabled states.
#include "toolkit/menu.h"

#include "support/all.h"

#include <gtest/gtest.h>

using tktest::Place;
using tktest::TestForm;

namespace {

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
    tktest::MenuSeen answer;

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
    }

    // Opens the menu at (x, y) on the screen and lets the timer answer it.
    void Open(std::vector<WPARAM> keys, int x = 260, int y = 250, bool cancelMode = false)
    {
        ::SetCursorPos(x, y);
        answer = tktest::AnswerMenu(
            std::move(keys),
            [&] {
                tk::PopupMenu(owner, menu);
                ran.push_back("returned");
            },
            cancelMode);
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
    Open({}, 260, 250, true);
    EXPECT_EQ(ran, (Ran{"returned"}));
}

TEST_F(PopupFixture, TheMenuShowsCaptionsCheckMarksAndDisabledItemsAtTheCursor)
{
    Open({VK_ESCAPE}, 300, 280);
    ASSERT_EQ(answer.captions.size(), 6u) << "the invisible item is left out";
    EXPECT_EQ(answer.captions[0], L"Lock");
    EXPECT_TRUE(answer.states[0] & MF_CHECKED);
    EXPECT_FALSE(answer.states[0] & MF_GRAYED);
    EXPECT_TRUE(answer.states[1] & MF_SEPARATOR);
    EXPECT_EQ(answer.captions[2], L"Help");
    EXPECT_FALSE(answer.states[2] & (MF_CHECKED | MF_GRAYED | MF_DISABLED));
    EXPECT_EQ(answer.captions[3], L"About...");
    EXPECT_TRUE(answer.states[3] & MF_GRAYED);
    EXPECT_TRUE(answer.states[4] & MF_SEPARATOR);
    EXPECT_EQ(answer.captions[5], L"Exit");
    EXPECT_EQ(answer.placement.left, 300);
    EXPECT_EQ(answer.placement.top, 280);

    // The menu is built afresh from the items each time it opens.
    lock.Checked = false;
    about.Enabled = true;
    exit.Caption = L"Uscita";
    Open({VK_ESCAPE});
    ASSERT_EQ(answer.captions.size(), 6u);
    EXPECT_FALSE(answer.states[0] & MF_CHECKED);
    EXPECT_FALSE(answer.states[3] & MF_GRAYED);
    EXPECT_EQ(answer.captions[5], L"Uscita");
}

TEST_F(PopupFixture, ADisabledItemCannotBeChosen)
{
    // Up from the bottom: Exit, then About..., which is disabled.
    Open({VK_UP, VK_UP, VK_RETURN, VK_ESCAPE});
    EXPECT_EQ(ran, (Ran{"returned"}));
}
