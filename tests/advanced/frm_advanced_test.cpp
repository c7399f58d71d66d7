// The advanced view under Wine: a real window driven by real input and
// messages, its fields, sliders and strip read back from the controls, the
// persistent image and the screen.
#include "advanced/frm_advanced.h"
#include "support/advanced_access.h"
#include "support/all.h"
#include "toolkit/screen.h"
#include "winservices/api_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

const COLORREF kShadow = ::GetSysColor(COLOR_BTNSHADOW);

using tktest::DragFromThread;
using tktest::PumpUntil;
using tktest::WindowText;

POINT ToScreen(HWND window, int x, int y)
{
    POINT point{x, y};
    ::ClientToScreen(window, &point);
    return point;
}

// A real click at a point of a window's client area, checked to land there.
void Click(HWND window, int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP)
{
    const POINT point = ToScreen(window, x, y);
    ASSERT_EQ(::WindowFromPoint(point), window);
    tktest::Click(point, down, up);
}

// Shown, and active with the focus on one of its controls.
void WaitShown(const tk::Form& form)
{
    PumpUntil([&] { return ::IsWindowVisible(form.hWnd()) && ::IsChild(form.hWnd(), ::GetFocus()); });
}

// What the screen shows of a window's client area once the whole view is
// drawn anew.
tktest::Pixels Shown(HWND window, int width, int height)
{
    ::RedrawWindow(::GetAncestor(window, GA_ROOT), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return tktest::SettledClient(window, {0, 0, width, height});
}

ColorValue Value(COLORREF color) { return static_cast<ColorValue>(color); }
COLORREF Inverse(COLORREF color) { return color ^ 0xFFFFFF; }
bool IsDark(COLORREF color) { return GetRValue(color) + GetGValue(color) + GetBValue(color) < 240; }

class FrmAdvancedTest : public tktest::WindowTest {
protected:
    FrmAdvanced& Open(ColorValue color)
    {
        frmAdvanced->ShowWindow(color);
        WaitShown(*frmAdvanced);
        return *frmAdvanced;
    }
    // Every pixel of the strip, from the persistent image and from the screen.
    void ExpectStrip(FrmAdvancedTestAccess access, const std::function<COLORREF(int x, int y)>& expected)
    {
        const tktest::Pixels shown = Shown(access.Strip().hWnd(), 256, 24);
        int wrong = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 256; ++x) {
                const COLORREF want = expected(x, y);
                if (access.Strip().Point(x, y) != static_cast<long>(want) || shown.At(x, y) != want)
                    if (++wrong < 5)
                        ADD_FAILURE() << "strip pixel " << x << "," << y << " want " << std::hex << want << " image "
                                      << access.Strip().Point(x, y) << " screen " << shown.At(x, y);
            }
        EXPECT_EQ(wrong, 0);
    }
    static bool IsFrame(int x, int y) { return x == 0 || x == 255 || y == 0 || y == 23; }
};

TEST_F(FrmAdvancedTest, LayoutStyleAndFirstTexts)
{
    FrmAdvanced& form = *frmAdvanced; // loaded, not yet shown
    FrmAdvancedTestAccess access{form};
    EXPECT_EQ(access.Value(0).Caption(), L"000");
    EXPECT_EQ(WindowText(access.Hex().hWnd()), L"000000");
    EXPECT_EQ(GradientStep, 1);

    form.ShowWindow(RGB(40, 80, 120));
    WaitShown(form);
    const HWND hwnd = form.hWnd();
    const auto style = ::GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_FALSE(style & (WS_DLGFRAME | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(WindowText(hwnd), L"");
    EXPECT_EQ(::GetWindow(hwnd, GW_OWNER), nullptr);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 283);
    EXPECT_EQ(client.bottom, 154);
    EXPECT_EQ(Shown(hwnd, 283, 154).At(150, 95), RGB(255, 255, 192));

    const RECT lights[] = {{10, 10, 56, 41},   {10, 43, 56, 55},   {264, 7, 275, 18},  {64, 10, 75, 23},
                           {64, 26, 75, 39},   {64, 42, 75, 55},   {234, 10, 261, 23}, {234, 26, 261, 39},
                           {234, 42, 261, 55}, {36, 62, 78, 77},   {134, 62, 165, 77}};
    const auto controls = access.Lights();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const RECT bounds = controls[i]->Bounds();
        EXPECT_TRUE(::EqualRect(&lights[i], &bounds)) << "light control " << i;
    }
    const std::pair<HWND, RECT> windows[] = {
        {access.Slider(0).hWnd(), {80, 10, 228, 23}}, {access.Slider(1).hWnd(), {80, 26, 228, 39}},
        {access.Slider(2).hWnd(), {80, 42, 228, 55}}, {access.Hex().hWnd(), {80, 60, 125, 77}},
        {access.Numeric().hWnd(), {167, 60, 228, 77}}, {access.Strip().hWnd(), {11, 119, 267, 143}}};
    for (const auto& [child, want] : windows) {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(::EqualRect(&rect, &want)) << rect.left << "," << rect.top << " to " << rect.right << ","
                                               << rect.bottom;
    }
    ::GetClientRect(access.Strip().hWnd(), &client);
    EXPECT_EQ(client.right, 256);
    EXPECT_EQ(client.bottom, 24);

    // Corner buttons: 1 px from the left, right and bottom edges, 0 px from the top.
    const POINT corners[4] = {{273, 0}, {273, 142}, {1, 142}, {1, 0}};
    const tktest::Pixels shown = Shown(hwnd, 283, 154);
    for (int i = 0; i < 4; ++i) {
        const RECT bounds = access.Corner(i).Bounds();
        EXPECT_EQ(bounds.left, corners[i].x);
        EXPECT_EQ(bounds.top, corners[i].y);
        EXPECT_EQ(bounds.right - bounds.left, 9);
        EXPECT_EQ(bounds.bottom - bounds.top, 11);
        // The ink of each arrow leans towards the corner it stands for.
        int inkX = 0, inkY = 0, ink = 0;
        for (int y = bounds.top; y < bounds.bottom; ++y)
            for (int x = bounds.left; x < bounds.right; ++x)
                if (IsDark(shown.At(x, y)))
                    inkX += x - bounds.left, inkY += y - bounds.top, ++ink;
        ASSERT_GT(ink, 4) << "corner " << i;
        EXPECT_EQ(inkX * 2 > ink * 8, i <= 1) << "corner " << i; // right half for 0 and 1
        EXPECT_EQ(inkY * 2 > ink * 10, i == 1 || i == 2) << "corner " << i;
    }
    int closeInk = 0;
    for (int y = 7; y < 18; ++y)
        for (int x = 264; x < 275; ++x)
            closeInk += IsDark(shown.At(x, y));
    EXPECT_GT(closeInk, 8);
}

TEST_F(FrmAdvancedTest, TabMovesThroughSlidersThenTextFields)
{
    FrmAdvancedTestAccess access{Open(0)};
    const HWND order[] = {access.Slider(1).hWnd(), access.Slider(2).hWnd(), access.Hex().hWnd(),
                          access.Numeric().hWnd()};
    EXPECT_EQ(::GetFocus(), access.Slider(0).hWnd());
    for (HWND next : order) {
        tktest::PressKey(VK_TAB);
        EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == next; }, 1000));
    }
    // Then the six clickable labels' stand-ins, and round to the red slider.
    for (int i = 0; i < 6; ++i) {
        tktest::Keystroke({VK_TAB});
        EXPECT_TRUE(::IsChild(access.form.hWnd(), ::GetFocus()));
        EXPECT_NE(::GetFocus(), access.Slider(0).hWnd());
    }
    tktest::PressKey(VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == access.Slider(0).hWnd(); }, 1000));
}

struct ColorCase {
    ColorValue color;
    int red, green, blue;
    const wchar_t* hex;
    const wchar_t* numeric;
    COLORREF column51; // four fifths of the way to the black stop
};

TEST_F(FrmAdvancedTest, SetColorFillsEveryField)
{
    FrmAdvancedTestAccess access{Open(RGB(9, 9, 9))};
    const ColorCase cases[] = {{255, 255, 0, 0, L"FF0000", L"255", RGB(204, 0, 0)},
                               {0, 0, 0, 0, L"000000", L"0", RGB(0, 0, 0)},
                               {16777215, 255, 255, 255, L"FFFFFF", L"16777215", RGB(204, 204, 204)},
                               {5649426, 18, 52, 86, L"123456", L"5649426", RGB(14, 42, 69)}};
    for (const ColorCase& c : cases) {
        SCOPED_TRACE(c.numeric);
        access.form.SetColor(c.color, false);
        const int components[3] = {c.red, c.green, c.blue};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(access.Slider(i).Value(), components[i]);
            EXPECT_EQ(::GetScrollPos(access.Slider(i).hWnd(), SB_CTL), components[i]);
            EXPECT_EQ(access.Value(i).Caption(), std::to_wstring(components[i]));
        }
        EXPECT_EQ(WindowText(access.Hex().hWnd()), c.hex);
        EXPECT_EQ(WindowText(access.Numeric().hWnd()), c.numeric);
        EXPECT_EQ(access.Current(), c.color);
        EXPECT_EQ(access.Preview().BackColor(), static_cast<COLORREF>(c.color));
        EXPECT_EQ(Shown(access.form.hWnd(), 60, 60).At(33, 25), static_cast<COLORREF>(c.color));
        EXPECT_EQ(access.Strip().Point(51, 5), static_cast<long>(c.column51));
        EXPECT_EQ(Shown(access.Strip().hWnd(), 256, 24).At(51, 5), c.column51);
    }
}

TEST_F(FrmAdvancedTest, GradientColumnsInvertedRowAndFrame)
{
    FrmAdvancedTestAccess access{Open(0)};
    access.form.ShowGradient(0, RGB(255, 255, 255));
    ExpectStrip(access, [](int x, int y) {
        const COLORREF grey = RGB(x, x, x);
        return IsFrame(x, y) ? kShadow : y == 16 ? Inverse(grey) : grey;
    });

    access.form.ShowGradient(RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(access.Strip().Point(128, 5), static_cast<long>(RGB(127, 0, 128)));
    EXPECT_EQ(Shown(access.Strip().hWnd(), 256, 24).At(128, 5), RGB(127, 0, 128));

    const COLORREF one = RGB(30, 140, 220);
    access.form.ShowGradient(one, one);
    ExpectStrip(access, [one](int x, int y) { return IsFrame(x, y) ? kShadow : y == 16 ? Inverse(one) : one; });
    EXPECT_EQ(tk::Screen::GetMousePointer(), tk::Screen::MousePointer::Default);
}

TEST_F(FrmAdvancedTest, SlidersComposeTheColourAndStayPut)
{
    FrmAdvancedTestAccess access{Open(0)};
    tk::ScrollBar& green = access.Slider(1);
    RECT bar{};
    ::GetClientRect(green.hWnd(), &bar);
    Click(green.hWnd(), bar.right - 3, bar.bottom / 2); // the right arrow, once
    ASSERT_EQ(green.Value(), 1);
    for (int step = 1; step < 128; ++step)
        ::SendMessageW(access.form.hWnd(), WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(green.hWnd()));
    EXPECT_EQ(access.Current(), 32768);
    EXPECT_EQ(WindowText(access.Hex().hWnd()), L"008000");
    EXPECT_EQ(WindowText(access.Numeric().hWnd()), L"32768");
    EXPECT_EQ(access.Value(1).Caption(), L"128");
    EXPECT_EQ(access.Preview().BackColor(), RGB(0, 128, 0));
    EXPECT_EQ(green.Value(), 128);
    EXPECT_EQ(::GetScrollPos(green.hWnd(), SB_CTL), 128);
    EXPECT_EQ(access.Slider(0).Value(), 0);

    // Dragging the red thumb to the end: the colour follows the thumb.
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetScrollBarInfo(access.Slider(0).hWnd(), OBJID_CLIENT, &info));
    const int thumb = (info.xyThumbTop + info.xyThumbBottom) / 2;
    EXPECT_TRUE(DragFromThread(ToScreen(access.Slider(0).hWnd(), thumb, 6), ToScreen(access.Slider(0).hWnd(), 146, 6),
                               {.arrived = [&] { return WindowText(access.Hex().hWnd()) == L"FF8000"; }}));
    EXPECT_EQ(access.Slider(0).Value(), 255);
    EXPECT_EQ(access.Current(), Value(RGB(255, 128, 0)));
    EXPECT_EQ(WindowText(access.Hex().hWnd()), L"FF8000");
    EXPECT_EQ(access.Strip().Point(51, 5), static_cast<long>(RGB(204, 102, 0)));
}

TEST_F(FrmAdvancedTest, NestedSetColorEndsInTheOuterState)
{
    FrmAdvancedTestAccess access{Open(0)};
    std::vector<ColorValue> nested; // what each slider's Change left behind
    for (int i = 0; i < 3; ++i) {
        auto raise = access.Slider(i).Change;
        access.Slider(i).Change = [&access, &nested, raise] {
            raise();
            nested.push_back(access.Current());
        };
    }
    access.form.SetColor(RGB(255, 255, 255), false);
    EXPECT_EQ(nested, (std::vector<ColorValue>{255, 65535, 16777215}));
    EXPECT_EQ(access.Current(), 16777215);
    EXPECT_EQ(access.Value(2).Caption(), L"255");
    EXPECT_EQ(WindowText(access.Hex().hWnd()), L"FFFFFF");

    access.form.SetColor(RGB(255, 0, 200), false);
    EXPECT_EQ(nested.size(), 5u); // only green and blue changed
    EXPECT_EQ(nested[3], Value(RGB(255, 0, 255)));
    EXPECT_EQ(access.Current(), Value(RGB(255, 0, 200)));
    EXPECT_EQ(access.Preview().BackColor(), RGB(255, 0, 200));

    // The colour already shown moves no slider, yet the strip is redrawn.
    access.Strip().Cls();
    access.form.SetColor(RGB(255, 0, 200), false);
    EXPECT_EQ(nested.size(), 5u);
    EXPECT_EQ(access.Strip().Point(51, 5), static_cast<long>(RGB(204, 0, 160)));
}

TEST_F(FrmAdvancedTest, AnyButtonOnTheStripPicksItsPixel)
{
    FrmAdvancedTestAccess access{Open(0)};
    access.form.ShowGradient(0, RGB(255, 255, 255));
    Click(access.Strip().hWnd(), 100, 5);
    EXPECT_EQ(access.Current(), Value(RGB(100, 100, 100)));
    EXPECT_EQ(access.Slider(2).Value(), 100);
    EXPECT_EQ(WindowText(access.Hex().hWnd()), L"646464");
    // The strip now runs from that grey to the black stop.
    Click(access.Strip().hWnd(), 50, 16, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(access.Current(), Value(RGB(175, 175, 175))); // the inverted row: 255 - 80
    ::PostMessageW(access.Strip().hWnd(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(0, 0));
    ::PostMessageW(access.Strip().hWnd(), WM_MBUTTONUP, 0, MAKELPARAM(0, 0));
    tk::DoEvents();
    EXPECT_EQ(access.Current(), static_cast<ColorValue>(kShadow));
}

TEST_F(FrmAdvancedTest, CornerButtonsSendTheWindowFlushToTheScreenCorners)
{
    FrmAdvancedTestAccess access{Open(RGB(1, 2, 3))};
    const int sw = tk::Screen::WidthPixels();
    const int sh = tk::Screen::HeightPixels();
    const POINT expected[4] = {{sw, 0}, {sw, sh}, {0, sh}, {0, 0}}; // the window's matching corner
    for (int i = 0; i < 4; ++i) {
        const RECT button = access.Corner(i).Bounds();
        Click(access.form.hWnd(), button.left + 4, button.top + 5);
        RECT window{};
        ::GetWindowRect(access.form.hWnd(), &window);
        EXPECT_EQ(i <= 1 ? window.right : window.left, expected[i].x) << "button " << i;
        EXPECT_EQ(i == 1 || i == 2 ? window.bottom : window.top, expected[i].y) << "button " << i;
    }
}

TEST_F(FrmAdvancedTest, LeftPressDragsRightAndMiddleDoNot)
{
    FrmAdvancedTestAccess access{Open(RGB(1, 2, 3))};
    access.form.MovePixels(300, 300);
    tk::DoEvents();
    // The preview, the background, a letter, a field caption and a value label.
    const POINT handles[] = {{33, 25}, {150, 95}, {69, 32}, {50, 68}, {245, 48}};
    int direction = 1;
    for (const POINT handle : handles) {
        const POINT before = access.form.PositionPixels();
        const POINT from = ToScreen(access.form.hWnd(), handle.x, handle.y);
        ASSERT_EQ(::WindowFromPoint(from), access.form.hWnd());
        const POINT to{from.x + 40 * direction, from.y + 20 * direction};
        EXPECT_TRUE(DragFromThread(from, to, {.down = MOUSEEVENTF_RIGHTDOWN, .up = MOUSEEVENTF_RIGHTUP})) << handle.x;
        EXPECT_TRUE(DragFromThread(from, to, {.down = MOUSEEVENTF_MIDDLEDOWN, .up = MOUSEEVENTF_MIDDLEUP})) << handle.x;
        EXPECT_EQ(access.form.PositionPixels().x, before.x) << handle.x;
        const POINT moved{before.x + 40 * direction, before.y + 20 * direction};
        EXPECT_TRUE(DragFromThread(from, to, {.arrived = [&] { return tktest::WindowAt(access.form.hWnd(), moved); }}))
            << handle.x;
        const POINT after = access.form.PositionPixels();
        EXPECT_EQ(after.x - before.x, 40 * direction) << handle.x;
        EXPECT_EQ(after.y - before.y, 20 * direction) << handle.x;
        direction = -direction;
    }
}

TEST_F(FrmAdvancedTest, ActivationReappliesTheStoredColour)
{
    FrmAdvancedTestAccess access{Open(RGB(10, 20, 30))};
    const HWND other = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 500, 100,
                                         100, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    PumpUntil([&] { return ::GetForegroundWindow() == other; });
    access.Hex().SetText(L"junk");
    access.Value(0).SetCaption(L"junk");
    access.Strip().Cls();
    access.Current() = RGB(200, 100, 50);
    ::SetForegroundWindow(access.form.hWnd());
    PumpUntil([&] { return WindowText(access.Hex().hWnd()) == L"C86432"; });
    EXPECT_EQ(WindowText(access.Hex().hWnd()), L"C86432");
    EXPECT_EQ(access.Value(0).Caption(), L"200");
    EXPECT_EQ(access.Slider(2).Value(), 50);
    EXPECT_EQ(access.Strip().Point(51, 5), static_cast<long>(RGB(160, 80, 40)));
    ::DestroyWindow(other);
}

TEST_F(FrmAdvancedTest, ClosingAndReopeningStartsWithABlackStop)
{
    FrmAdvancedTestAccess first{Open(RGB(255, 0, 0))};
    first.Stop().SetBackColor(RGB(255, 255, 255));
    first.form.SetColor(RGB(255, 0, 0), false);
    ASSERT_EQ(first.Strip().Point(254, 5), static_cast<long>(RGB(255, 254, 254)));
    first.form.ShowWindow(RGB(255, 0, 0)); // every opening resets the stop
    EXPECT_EQ(first.Stop().BackColor(), RGB(0, 0, 0));
    EXPECT_EQ(first.Strip().Point(254, 5), static_cast<long>(RGB(1, 0, 0)));
    first.Stop().SetBackColor(RGB(255, 255, 255));
    Click(first.form.hWnd(), 269, 12); // the close cross
    EXPECT_FALSE(frmAdvanced.Exists());
    EXPECT_FALSE(IsFormLoaded(L"FRMADVANCED"));
    tk::CollectRetiredForms();

    FrmAdvancedTestAccess second{Open(RGB(0, 0, 255))};
    EXPECT_TRUE(IsFormLoaded(L"frmAdvanced"));
    EXPECT_EQ(second.Stop().BackColor(), RGB(0, 0, 0));
    EXPECT_EQ(second.Strip().Point(254, 5), static_cast<long>(RGB(0, 0, 1)));
    EXPECT_EQ(WindowText(second.Hex().hWnd()), L"0000FF");
}

TEST_F(FrmAdvancedTest, NegativeColourShowsNoColour)
{
    FrmAdvancedTestAccess access{Open(RGB(1, 2, 3))};
    const long before = access.Strip().Point(51, 5);
    access.form.SetColor(-1, false);
    EXPECT_EQ(access.Current(), -1);
    EXPECT_EQ(WindowText(access.Hex().hWnd()), L"");
    EXPECT_EQ(WindowText(access.Numeric().hWnd()), L"-1");
    EXPECT_EQ(access.Slider(2).Value(), 3);
    EXPECT_EQ(access.Value(2).Caption(), L"3");
    EXPECT_EQ(access.Preview().BackColor(), RGB(1, 2, 3));
    EXPECT_EQ(access.Strip().Point(51, 5), before);

    // Nothing is drawn and the pointer is left as it was; a zero step is mended.
    GradientStep = 0;
    tk::Screen::SetMousePointer(tk::Screen::MousePointer::Busy);
    access.form.ShowGradient(RGB(9, 9, 9), -5);
    EXPECT_EQ(tk::Screen::GetMousePointer(), tk::Screen::MousePointer::Busy);
    tk::Screen::SetMousePointer(tk::Screen::MousePointer::Default);
    EXPECT_EQ(GradientStep, 1);
    EXPECT_EQ(access.Strip().Point(51, 5), before);
}

TEST_F(FrmAdvancedTest, StopLabelTakesTheColourChosenInTheDialog)
{
    FrmAdvancedTestAccess access{Open(0)};
    const auto topmost = [&] { return (::GetWindowLongW(access.form.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    const tktest::DialogOutcome chosen = tktest::ChooseStop(access, true, RGB(10, 200, 30));
    ASSERT_TRUE(chosen.answered);
    EXPECT_FALSE(chosen.topmostWhileOpen);
    EXPECT_TRUE(topmost());
    EXPECT_EQ(access.Stop().BackColor(), RGB(10, 200, 30));
    EXPECT_EQ(access.Strip().Point(254, 5), static_cast<long>(RGB(10, 199, 30)));
    EXPECT_EQ(Shown(access.Strip().hWnd(), 256, 24).At(254, 5), RGB(10, 199, 30));

    // Cancel keeps the stop, and the strip is drawn again all the same.
    access.Strip().Cls();
    ASSERT_TRUE(tktest::ChooseStop(access, false, RGB(250, 0, 0)).answered);
    EXPECT_EQ(access.Stop().BackColor(), RGB(10, 200, 30));
    EXPECT_EQ(access.Strip().Point(254, 5), static_cast<long>(RGB(10, 199, 30)));
    EXPECT_TRUE(topmost());
}

} // namespace
