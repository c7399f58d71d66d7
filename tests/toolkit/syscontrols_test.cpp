// Scroll bars, read-only text fields and push buttons of the system's own
// classes, driven by real mouse and keyboard input in a real form.
#include "toolkit/syscontrols.h"

#include "toolkit/app_error.h"
#include "support/all.h"

#include <gtest/gtest.h>

using tktest::Place;
using tktest::TestForm;

namespace {

struct Controls : ::testing::Test {
    TestForm form{L"controls", Place(150, 150, 300, 160), RGB(192, 192, 192)};
    tk::ScrollBar bar;
    tk::TextBox text;
    tk::CommandButton button;
    int changes = 0;
    int scrolls = 0;
    int clicks = 0;

    void SetUp() override
    {
        form.Load();
        form.MovePixels(150, 150);
        bar.Create(form, 10, 10, 255, 17, 0, 255);
        bar.Change = [this] { ++changes; };
        bar.Scroll = [this] { ++scrolls; };
        text.Create(form, 10, 50, 80, 20, true);
        button.Create(form, 10, 100, 90, 25);
        button.SetCaption(L"OK");
        button.Click = [this] { ++clicks; };
        form.ShowAt();
    }
    void TearDown() override { ::SetCursorPos(900, 700); }
    POINT At(int x, int y) const { return form.ScreenPoint(x, y); }
    int ShownPosition() const { return ::GetScrollPos(bar.hWnd(), SB_CTL); }
};

void Key(WORD key)
{
    tktest::Keystroke({key});
}

} // namespace

TEST_F(Controls, SetValueRaisesChangeOnlyWhenTheValueChanges)
{
    EXPECT_EQ(bar.Value(), 0);
    bar.SetValue(10);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ShownPosition(), 10);
    bar.SetValue(10);
    EXPECT_EQ(changes, 1);
    bar.SetValue(255);
    bar.SetValue(0);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(ShownPosition(), 0);

    for (const int outside : {-1, 256}) {
        try {
            bar.SetValue(outside);
            ADD_FAILURE() << outside << " was taken";
        } catch (const tk::AppError& error) {
            EXPECT_EQ(error.Number(), 380);
        }
    }
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(scrolls, 0);
}

TEST_F(Controls, TheArrowsAndTheTrackMoveByOne)
{
    bar.SetValue(100);
    changes = 0;
    ASSERT_EQ(::WindowFromPoint(At(10 + 255 - 6, 18)), bar.hWnd());
    tktest::Click(At(10 + 255 - 6, 18)); // right arrow
    EXPECT_EQ(bar.Value(), 101);
    EXPECT_EQ(ShownPosition(), 101);
    EXPECT_EQ(changes, 1);
    tktest::Click(At(10 + 6, 18)); // left arrow
    tktest::Click(At(10 + 6, 18));
    EXPECT_EQ(bar.Value(), 99);
    EXPECT_EQ(changes, 3);
    tktest::Click(At(10 + 30, 18)); // the track left of the thumb
    EXPECT_EQ(bar.Value(), 98);

    bar.SetValue(0);
    changes = 0;
    tktest::Click(At(10 + 6, 18));
    EXPECT_EQ(bar.Value(), 0) << "nothing below the minimum";
    EXPECT_EQ(changes, 0);

    // The keyboard's arrows do the same once the bar has the focus.
    ::SetFocus(bar.hWnd());
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(bar.Value(), 2);
    Key(VK_LEFT);
    EXPECT_EQ(bar.Value(), 1);
    EXPECT_EQ(changes, 3);
}

TEST_F(Controls, DraggingTheThumbScrollsAndChangesOnceAtTheEnd)
{
    bar.SetValue(40);
    changes = 0;
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetScrollBarInfo(bar.hWnd(), OBJID_CLIENT, &info));
    const POINT thumb{info.rcScrollBar.left + (info.xyThumbTop + info.xyThumbBottom) / 2,
                      (info.rcScrollBar.top + info.rcScrollBar.bottom) / 2};
    // The bar's own tracking loop holds this thread while another one moves the mouse.
    EXPECT_TRUE(tktest::DragFromThread(thumb, {thumb.x + 64, thumb.y}));
    EXPECT_GT(bar.Value(), 60);
    EXPECT_EQ(ShownPosition(), bar.Value());
    EXPECT_GE(scrolls, 2);
    EXPECT_EQ(changes, 1);
}

TEST_F(Controls, ATextFieldShowsItsTextOnWhiteAndIgnoresTyping)
{
    EXPECT_EQ(text.Text(), L"");
    text.SetText(L"#FF8000");
    EXPECT_EQ(text.Text(), L"#FF8000");
    EXPECT_NE(::GetWindowLongW(text.hWnd(), GWL_STYLE) & ES_READONLY, 0);

    ::SetFocus(text.hWnd());
    Key('A');
    Key(VK_BACK);
    Key(VK_DELETE);
    EXPECT_EQ(text.Text(), L"#FF8000");

    text.SetText(L"888888");
    const POINT corner = At(10, 50);
    int white = 0;
    int black = 0;
    tktest::PumpUntil([&] {
        const tktest::Pixels shown = tktest::ReadScreen(Place(corner.x + 2, corner.y + 2, 76, 16));
        white = black = 0;
        for (int y = 0; y < shown.height; ++y)
            for (int x = 0; x < shown.width; ++x) {
                white += shown.At(x, y) == RGB(255, 255, 255);
                black += shown.At(x, y) == RGB(0, 0, 0);
            }
        return white > 76 * 16 / 2 && black > 20;
    });
    EXPECT_GT(white, 76 * 16 / 2) << "white, not the dialog grey of read-only fields";
    EXPECT_GT(black, 20) << "the digits";
}

TEST_F(Controls, AButtonClickRaisesClickOnce)
{
    ASSERT_EQ(::WindowFromPoint(At(50, 110)), button.hWnd());
    tktest::Click(At(50, 110));
    EXPECT_EQ(clicks, 1);

    // Pressed, then released away from it: no click.
    tktest::Press(At(50, 110));
    tktest::Hover(At(250, 140));
    tktest::Release();
    EXPECT_EQ(clicks, 1);
}
