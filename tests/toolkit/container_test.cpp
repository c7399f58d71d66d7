// Windowless labels in a real window: where presses and releases go (real
// mouse input), which cursor shows, and what is painted after a change.
#include "toolkit/container.h"

#include "toolkit/picturebox.h"
#include "toolkit/screen.h"
#include "support/all.h"

#include <gtest/gtest.h>

using tktest::Place;
using tktest::TestForm;

namespace {

// The main window's arrangement: a form, a picture box filling it, and two
// labels on the picture box. Every mouse event is written down.
struct LabelHost : ::testing::Test {
    TestForm form{L"labels", Place(100, 100, 300, 200), RGB(255, 255, 255)};
    tk::PictureBox picture;
    tk::Label first;
    tk::Label second;
    std::vector<std::string> events;

    void SetUp() override
    {
        form.Load();
        form.MovePixels(100, 100);
        tktest::CreatePixelPicture(picture, form, tktest::Place(0, 0, 300, 200), RGB(40, 40, 40));
        first.Create(picture, 20, 20, 80, 20);
        first.SetCaption(L"first");
        second.Create(picture, 120, 20, 80, 20);
        second.SetCaption(L"second");
        Record("first", first);
        Record("second", second);
        picture.MouseDown = Writer("picture down");
        picture.MouseUp = Writer("picture up");
        picture.Click = [this] { events.push_back("picture click"); };
        form.ShowAt();
        ASSERT_EQ(::WindowFromPoint(form.ScreenPoint(50, 30)), picture.hWnd());
    }
    void TearDown() override { ::SetCursorPos(900, 700); }

    tk::MouseHandler Writer(std::string what)
    {
        return [this, what](int button, int, float x, float y) {
            events.push_back(what + " " + std::to_string(button) + " " + std::to_string(static_cast<int>(x)) + "," +
                             std::to_string(static_cast<int>(y)));
        };
    }
    void Record(const std::string& name, tk::Label& label)
    {
        label.MouseDown = Writer(name + " down");
        label.MouseUp = Writer(name + " up");
        label.Click = [this, name] { events.push_back(name + " click"); };
    }
    POINT At(int x, int y) const { return form.ScreenPoint(x, y); }
};

using Events = std::vector<std::string>;

} // namespace

TEST_F(LabelHost, APressOnALabelReachesThatLabelInItsOwnCoordinates)
{
    tktest::Click(At(30, 25));
    EXPECT_EQ(events, (Events{"first down 1 10,5", "first up 1 10,5", "first click"}));

    events.clear();
    tktest::Click(At(150, 35), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(events, (Events{"second down 2 30,15", "second up 2 30,15"})) << "only the left button clicks";

    events.clear();
    tktest::Click(At(150, 35), MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_EQ(events, (Events{"second down 4 30,15", "second up 4 30,15"}));
}

TEST_F(LabelHost, APressOutsideTheLabelsGoesToTheContainer)
{
    tktest::Click(At(250, 150));
    EXPECT_EQ(events, (Events{"picture down 1 250,150", "picture up 1 250,150", "picture click"}));

    // Between the two labels, and just past a label's right edge.
    events.clear();
    tktest::Click(At(100, 25));
    EXPECT_EQ(events, (Events{"picture down 1 100,25", "picture up 1 100,25", "picture click"}));
}

TEST_F(LabelHost, AHiddenLabelNeitherPaintsNorTakesTheMouse)
{
    first.SetCaption(L"");
    first.SetTransparent(false);
    first.SetBackColor(RGB(0, 0, 255));
    const POINT inside = At(60, 30);
    tktest::PumpUntil([&] { return tktest::ScreenPixel(inside.x, inside.y) == RGB(0, 0, 255); });
    EXPECT_EQ(tktest::ScreenPixel(inside.x, inside.y), RGB(0, 0, 255));

    first.SetVisible(false);
    tktest::PumpUntil([&] { return tktest::ScreenPixel(inside.x, inside.y) == RGB(40, 40, 40); });
    EXPECT_EQ(tktest::ScreenPixel(inside.x, inside.y), RGB(40, 40, 40));
    tktest::Click(inside);
    EXPECT_EQ(events, (Events{"picture down 1 60,30", "picture up 1 60,30", "picture click"}));
}

TEST_F(LabelHost, TheReleaseGoesWhereThePressBeganWhereverTheMouseWent)
{
    // The system aims each mouse message as it is queued: the hand moves on
    // once the press holds the mouse.
    const auto press = [this](POINT at) {
        tktest::Press(at);
        tktest::PumpUntil([this] { return ::GetCapture() == picture.hWnd(); });
    };
    press(At(30, 25));
    tktest::Hover({700, 600}); // far outside the window
    tktest::Release();
    const POINT offset = At(20, 20);
    EXPECT_EQ(events, (Events{"first down 1 10,5",
                              "first up 1 " + std::to_string(700 - offset.x) + "," + std::to_string(600 - offset.y)}))
        << "no click: the release was not over the label";
    EXPECT_EQ(::GetCapture(), nullptr);

    // Released over the other label: still the first one's release, and no one clicks.
    events.clear();
    press(At(30, 25));
    tktest::Hover(At(150, 25));
    tktest::Release();
    EXPECT_EQ(events, (Events{"first down 1 10,5", "first up 1 130,5"}));

    // And the next press starts afresh.
    events.clear();
    tktest::Click(At(150, 25));
    EXPECT_EQ(events, (Events{"second down 1 30,5", "second up 1 30,5", "second click"}));
}

TEST_F(LabelHost, LosingTheCaptureEndsThePressAsARelease)
{
    tktest::Press(At(30, 25));
    tktest::PumpUntil([&] { return ::GetCapture() == picture.hWnd(); });
    ASSERT_EQ(::GetCapture(), picture.hWnd());
    ASSERT_EQ(events, (Events{"first down 1 10,5"}));

    TestForm other(L"other", Place(600, 100, 50, 50));
    other.ShowAt();
    ::SetCapture(other.hWnd());
    tktest::PumpUntil([&] { return events.size() == 2; });
    EXPECT_EQ(events, (Events{"first down 1 10,5", "first up 1 10,5"}));

    // The real release now belongs to the other window: nothing more here.
    tktest::Release();
    ::ReleaseCapture();
    tk::DoEvents();
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(LabelHost, QuickSecondPressesAreStillPresses)
{
    tktest::Click(At(30, 25));
    tktest::Press(At(30, 25));
    tktest::Release();
    EXPECT_EQ(events, (Events{"first down 1 10,5", "first up 1 10,5", "first click", "first down 1 10,5",
                              "first up 1 10,5", "first click"}));
}

TEST_F(LabelHost, ShowsTheLabelsCursorOverItAndTheFormsElsewhere)
{
    form.SetMouseIcon(tktest::OwnCursor(IDC_HAND));
    first.SetMouseIcon(tktest::OwnCursor(IDC_CROSS));
    const HCURSOR formCursor = form.EffectiveCursor();
    const HCURSOR labelCursor = first.MouseIcon();
    ASSERT_NE(formCursor, nullptr);
    ASSERT_NE(labelCursor, nullptr);

    const auto cursorAt = [this](int x, int y) {
        tktest::Hover(At(x, y));
        return ::GetCursor();
    };
    const auto shows = [](HCURSOR cursor) { return tktest::PumpUntil([cursor] { return ::GetCursor() == cursor; }); };
    EXPECT_EQ(cursorAt(30, 25), labelCursor);
    EXPECT_EQ(cursorAt(150, 25), formCursor) << "a label without a cursor shows its container's";
    EXPECT_EQ(cursorAt(250, 150), formCursor) << "the picture box shows the form's";
    EXPECT_EQ(cursorAt(31, 26), labelCursor);

    // The busy pointer wins everywhere while it is on.
    tk::Screen::SetMousePointer(tk::Screen::MousePointer::Busy);
    EXPECT_EQ(cursorAt(30, 25), ::LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(cursorAt(250, 150), ::LoadCursorW(nullptr, IDC_WAIT));
    tk::Screen::SetMousePointer(tk::Screen::MousePointer::Default);
    EXPECT_EQ(cursorAt(30, 25), labelCursor);

    // A new cursor shows at once, without waiting for the mouse to move.
    first.SetMouseIcon(tktest::OwnCursor(IDC_SIZEALL));
    EXPECT_TRUE(shows(first.MouseIcon()));
    tktest::Hover(At(250, 150));
    form.SetMouseIcon(tktest::OwnCursor(IDC_UPARROW));
    EXPECT_TRUE(shows(form.EffectiveCursor()));
    EXPECT_NE(::GetCursor(), formCursor);

    // While a press holds the mouse, a change of cursor shows as well: the
    // drag loop swaps the open hand for the closed one after the press.
    tktest::Press(At(30, 25));
    tktest::PumpUntil([&] { return ::GetCapture() == picture.hWnd(); });
    first.SetMouseIcon(tktest::OwnCursor(IDC_NO));
    EXPECT_TRUE(shows(first.MouseIcon()));
    tktest::Release();
}

namespace {

// How GDI draws the text with the label's default font, black on white.
tktest::Pixels Rendered(const std::wstring& text, int width, int height)
{
    const tk::WindowDC screen;
    const tk::unique_hdc dc(::CreateCompatibleDC(screen));
    const tk::unique_hbitmap bitmap(::CreateCompatibleBitmap(screen, width, height));
    const tk::SelectGuard selectBitmap(dc.get(), bitmap.get());
    RECT area{0, 0, width, height};
    ::FillRect(dc.get(), &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    const tk::unique_hfont font = tk::CreateFontFrom({});
    const tk::SelectGuard selectFont(dc.get(), font.get());
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), RGB(0, 0, 0));
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
    return tktest::ReadDC(dc.get(), 0, 0, width, height);
}

int CountOf(const tktest::Pixels& pixels, COLORREF color)
{
    int count = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            count += pixels.At(x, y) == color;
    return count;
}

} // namespace

TEST_F(LabelHost, TheNewCaptionIsWhatIsPainted)
{
    first.SetTransparent(false);
    first.SetBackColor(RGB(255, 255, 255));
    first.SetCaption(L"I");
    const POINT corner = At(20, 20);
    const RECT onScreen = Place(corner.x, corner.y, 80, 20);
    const auto shown = [&](const std::wstring& text) {
        return tktest::PumpUntil([&] { return tktest::ReadScreen(onScreen) == Rendered(text, 80, 20); });
    };
    EXPECT_TRUE(shown(L"I"));

    first.SetCaption(L"#MW80");
    shown(L"#MW80");
    const tktest::Pixels now = tktest::ReadScreen(onScreen);
    ASSERT_NE(Rendered(L"I", 80, 20), Rendered(L"#MW80", 80, 20));
    EXPECT_EQ(now, Rendered(L"#MW80", 80, 20));
    EXPECT_GT(CountOf(now, RGB(0, 0, 0)), 20);

    // Covered and uncovered, the label paints itself again.
    {
        TestForm cover(L"cover", Place(corner.x - 5, corner.y - 5, 120, 40), RGB(255, 0, 0));
        cover.ShowAt();
        EXPECT_EQ(tktest::ScreenPixel(corner.x + 1, corner.y + 1), RGB(255, 0, 0));
    }
    EXPECT_TRUE(shown(L"#MW80"));
}

TEST_F(LabelHost, AnImageShowsItsPictureExceptTheKeyColourAndAFrameLetsTheMouseThrough)
{
    tk::Image image;
    image.Create(picture, 200, 100, 20, 10);
    image.SetPicture(tktest::MakePicture(20, 10, [](int x, int) { return x < 10 ? RGB(255, 0, 255) : RGB(0, 200, 0); }),
                     RGB(255, 0, 255));
    image.MouseDown = Writer("image down");
    tk::Frame frame;
    frame.Create(picture, 10, 100, 150, 80);
    const POINT corner = At(200, 100);
    tktest::PumpUntil([&] { return tktest::ScreenPixel(corner.x + 15, corner.y + 5) == RGB(0, 200, 0); });
    EXPECT_EQ(tktest::ScreenPixel(corner.x + 5, corner.y + 5), RGB(40, 40, 40)) << "the key colour shows through";
    EXPECT_EQ(tktest::ScreenPixel(corner.x + 15, corner.y + 5), RGB(0, 200, 0));

    tktest::Click(At(215, 105));
    tktest::Click(At(80, 140)); // inside the frame
    EXPECT_EQ(events, (Events{"image down 1 15,5", "picture down 1 80,140", "picture up 1 80,140", "picture click"}));
}

TEST_F(LabelHost, TheBusyPointerGivesWayToThePreviousCursorEvenDuringAPress)
{
    first.SetMouseIcon(tktest::OwnCursor(IDC_CROSS));
    tktest::Press(At(30, 25));
    tktest::PumpUntil([&] { return ::GetCapture() == picture.hWnd() && ::GetCursor() == first.MouseIcon(); });
    ASSERT_EQ(::GetCapture(), picture.hWnd());
    ASSERT_EQ(::GetCursor(), first.MouseIcon());

    // What a slider drag does while the gradient redraws: no WM_SETCURSOR
    // comes while the mouse is captured.
    tk::Screen::SetMousePointer(tk::Screen::MousePointer::Busy);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_WAIT));
    tk::Screen::SetMousePointer(tk::Screen::MousePointer::Default);
    tktest::PumpUntil([&] { return ::GetCursor() == first.MouseIcon(); });
    EXPECT_EQ(::GetCursor(), first.MouseIcon());
    tktest::Release();
}
