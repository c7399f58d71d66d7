// The windows at the DPI of the Wine prefix this program runs in (96, 120,
// 144 or 192, one run each): every text whole inside its box, the main
// window cut to its skin drawn for the scale, and a drag that samples the
// pixel under the scaled view-finder centre.
#include "advanced/frm_advanced.h"
#include "info/frm_about.h"
#include "info/frm_help.h"
#include "mainwindow/frm_main.h"
#include "resources/resource_access.h"
#include "support/advanced_access.h"
#include "support/all.h"
#include "support/picker.h"
#include "toolkit/dpi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <optional>
#include <cstdlib>
#include <iostream>
#include <string>


namespace {

UINT ExpectedDpi()
{
    const char* dpi = std::getenv("TAVOLISK_DPI");
    return dpi ? static_cast<UINT>(std::atoi(dpi)) : 96u;
}

int S(int value96) { return tk::Scale(value96, ExpectedDpi()); }

// One text as the user sees it: where its box is on the screen, what it
// says, in which font and colour, and how it is laid out.
struct Text {
    std::wstring what;
    RECT box; // screen pixels
    std::wstring text;
    HFONT font;
    COLORREF ink;
    bool wrapped = false;
};

RECT OnScreen(HWND window, RECT area)
{
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

Text OfLabel(const std::wstring& what, HWND container, const tk::Label& label, bool wrapped = false)
{
    return {what, OnScreen(container, label.Bounds()), label.Caption(), label.Font(), label.ForeColor(), wrapped};
}

Text OfWindow(const std::wstring& what, HWND window, COLORREF ink)
{
    RECT client{};
    ::GetClientRect(window, &client);
    wchar_t text[256]{};
    ::GetWindowTextW(window, text, 256);
    return {what, OnScreen(window, client), text,
            reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), ink};
}

LONG FontHeight(HFONT font)
{
    LOGFONTW face{};
    ::GetObjectW(font, sizeof face, &face);
    return face.lfHeight;
}

int Distance(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

// The colour most of the box shows: what the text is drawn over.
COLORREF Background(const tktest::Pixels& pixels)
{
    std::map<COLORREF, int> counts;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            ++counts[pixels.At(x, y)];
    return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })
        ->first;
}

// The width and height of the pixels nearer the ink than the background.
SIZE InkExtent(const tktest::Pixels& pixels, COLORREF ink, COLORREF background)
{
    RECT bounds{pixels.width, pixels.height, -1, -1};
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            if (Distance(pixels.At(x, y), ink) * 2 < Distance(pixels.At(x, y), background)) {
                bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                          std::max<LONG>(bounds.right, x), std::max<LONG>(bounds.bottom, y)};
            }
    if (bounds.right < 0)
        return {0, 0};
    return {bounds.right - bounds.left + 1, bounds.bottom - bounds.top + 1};
}

// The same text drawn whole in the same font on the same background, in a
// memory bitmap with room to spare: the ink a whole text makes.
SIZE WholeInkExtent(const Text& t, COLORREF background)
{
    const int width = t.wrapped ? t.box.right - t.box.left : 8 * (t.box.right - t.box.left) + 200;
    const int height = 8 * (t.box.bottom - t.box.top) + 200;
    const tk::unique_hdc dc(::CreateCompatibleDC(nullptr));
    BITMAPINFO info = tktest::TopDown32(width, height);
    void* bits = nullptr;
    const tk::unique_hbitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const tk::SelectGuard select(dc.get(), bitmap.get());
    const tk::SelectGuard font(dc.get(), t.font);
    RECT all{0, 0, width, height};
    const tk::unique_hbrush paper(::CreateSolidBrush(background));
    ::FillRect(dc.get(), &all, paper.get());
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), t.ink);
    ::DrawTextW(dc.get(), t.text.c_str(), static_cast<int>(t.text.size()), &all,
                DT_NOPREFIX | (t.wrapped ? DT_WORDBREAK : DT_SINGLELINE));
    return InkExtent(tktest::ReadDC(dc.get(), 0, 0, width, height), t.ink, background);
}

// Whole: the box shows as much ink, across and down, as the text drawn whole
// (once the screen shows the window's drawing, which comes after a while).
void ExpectWhole(const Text& t)
{
    SCOPED_TRACE(testing::Message() << "\"" << std::string(t.text.begin(), t.text.end()) << "\"");
    if (t.text.empty())
        return; // nothing to show (the About notice is empty in both languages)
    COLORREF background = 0;
    SIZE onScreen{};
    SIZE whole{};
    tktest::PumpUntil([&] {
        const tktest::Pixels shown = tktest::ReadScreen(t.box);
        background = Background(shown);
        onScreen = InkExtent(shown, t.ink, background);
        whole = WholeInkExtent(t, background);
        return whole.cx > 0 && onScreen.cx >= whole.cx && onScreen.cy >= whole.cy;
    });
    ASSERT_GT(whole.cx, 0);
    EXPECT_GE(onScreen.cx, whole.cx) << std::string(t.what.begin(), t.what.end()) << " is cut at a side";
    EXPECT_GE(onScreen.cy, whole.cy) << std::string(t.what.begin(), t.what.end()) << " is cut at the top or bottom";
    if (const char* folder = std::getenv("TAVOLISK_SHOTS"); folder && (onScreen.cx < whole.cx || onScreen.cy < whole.cy))
        tktest::SaveBmp(tktest::ReadScreen({t.box.left - 4, t.box.top - 4, t.box.right + 4, t.box.bottom + 4}),
                        std::string(folder) + "/" + std::string(t.what.begin(), t.what.end()) + "-" +
                            std::to_string(ExpectedDpi()) + ".bmp");
}

// Every text of the About window whole in its box; `when` names the moment.
void ExpectAboutWhole(FrmAbout& about, const std::wstring& when)
{
    const HWND window = about.hWnd();
    ExpectWhole(OfLabel(L"description" + when, window, about.Label2));
    ExpectWhole(OfLabel(L"notice" + when, window, about.Label3, true));
    ExpectWhole(OfLabel(L"author" + when, window, about.Label5));
    ExpectWhole(OfLabel(L"visit" + when, window, about.Label4));
    ExpectWhole(OfLabel(L"link" + when, window, about.Label1));
    ExpectWhole(OfWindow(L"close button" + when, about.Command1.hWnd(), ::GetSysColor(COLOR_BTNTEXT)));
}

// The region a picture's non-key pixels make, one rectangle per run, and how many runs.
tk::unique_hrgn RegionOf(HBITMAP picture, int* runs)
{
    const tktest::Pixels pixels = tktest::ReadBitmap(picture);
    const COLORREF key = pixels.At(0, 0);
    tk::unique_hrgn region(::CreateRectRgn(0, 0, 0, 0));
    *runs = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width;) {
            if (pixels.At(x, y) == key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < pixels.width && pixels.At(x, y) != key)
                ++x;
            const tk::unique_hrgn run(::CreateRectRgn(start, y, x, y + 1));
            ::CombineRgn(region.get(), region.get(), run.get(), RGN_OR);
            ++*runs;
        }
    return region;
}

class Scaling : public tktest::WindowTest {
protected:
    tktest::Backdrop m_backdrop;
};

} // namespace

TEST_F(Scaling, EveryTextIsWholeInItsBoxAndTheRegionIsTheScaledSkins)
{
    ASSERT_EQ(tk::DpiOf(nullptr), ExpectedDpi()) << "the prefix's LogPixels";
    m_backdrop.Paint(RGB(255, 255, 255)); // the widest values: #FFFFFF, 16777215
    FrmMain& main = *frmMain;
    main.Show();
    ASSERT_EQ(main.Dpi(), ExpectedDpi());
    ASSERT_EQ(main.FieldText(1), L"16777215");

    const HWND skin = main.Skin().hWnd();
    static const wchar_t* const kRows[5] = {L"Web:", L"Num:", L"G:", L"R:", L"B:"};
    for (int i = 0; i < 5; ++i)
        ExpectWhole(OfLabel(std::wstring(L"caption ") + kRows[i], skin, main.Caption(i)));
    for (HWND field = ::FindWindowExW(skin, nullptr, tk::kTextFieldClass, nullptr); field;
         field = ::FindWindowExW(skin, field, tk::kTextFieldClass, nullptr))
        ExpectWhole(OfWindow(L"value field", field, ::GetSysColor(COLOR_WINDOWTEXT)));

    // Cut to the skin drawn for this scale, run for run.
    const tk::unique_hbitmap scaled = LoadSkinBitmap(ExpectedDpi());
    BITMAP size{};
    ::GetObjectW(scaled.get(), sizeof size, &size);
    EXPECT_EQ(size.bmWidth, S(231));
    EXPECT_EQ(size.bmHeight, S(243));
    int runs = 0;
    const tk::unique_hrgn expected = RegionOf(scaled.get(), &runs);
    tk::unique_hrgn region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(main.hWnd(), region.get()), ERROR);
    EXPECT_TRUE(::EqualRgn(region.get(), expected.get()));
    std::cout << "region at " << ExpectedDpi() << " dpi: " << runs << " runs\n";
    if (ExpectedDpi() == 96) {
        // Unchanged at 100 %: the committed skin's region, the design's size.
        int committedRuns = 0;
        EXPECT_TRUE(::EqualRgn(region.get(), RegionOf(LoadSkinBitmap().get(), &committedRuns).get()));
        EXPECT_EQ(committedRuns, runs);
        RECT outer{};
        ::GetWindowRect(main.hWnd(), &outer);
        EXPECT_EQ(outer.right - outer.left, 233);
        EXPECT_EQ(outer.bottom - outer.top, 245);
    }
    // The sampled pixel is the see-through centre of the view-finder, boxed by the reticle.
    const POINT sample = main.SampleOffset();
    EXPECT_EQ(sample.x, S(45));
    EXPECT_EQ(sample.y, S(121));
    EXPECT_FALSE(::PtInRegion(region.get(), sample.x, sample.y));
    EXPECT_TRUE(::PtInRegion(region.get(), sample.x + 1, sample.y));
    EXPECT_TRUE(::PtInRegion(region.get(), sample.x, sample.y - 1));
    EXPECT_TRUE(::PtInRegion(region.get(), S(192), S(164))) << "the swatch";

    // The hands are drawn for the scale too: the system shows a cursor at its own size.
    for (const HCURSOR hand : {main.EffectiveCursor(), main.Caption(0).MouseIcon()}) {
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(hand, &info));
        const tk::unique_hbitmap mask(info.hbmMask), colour(info.hbmColor);
        BITMAP bits{};
        ::GetObjectW(info.hbmMask, sizeof bits, &bits);
        EXPECT_EQ(bits.bmWidth, S(32));
        EXPECT_EQ(bits.bmHeight, colour ? S(32) : 2 * S(32));
        EXPECT_EQ(static_cast<int>(info.xHotspot), S(8));
    }

    // The advanced view, with the widest values it shows.
    frmAdvanced->ShowWindow(RGB(255, 255, 255));
    FrmAdvancedTestAccess advanced{*frmAdvanced};
    const HWND view = frmAdvanced->hWnd();
    const SIZE client = frmAdvanced->ClientSizePixels();
    EXPECT_EQ(client.cx, S(283));
    EXPECT_EQ(client.cy, S(154));
    // Its labels with text: the slider letters and values, the field captions.
    for (tk::LightControl* light : advanced.Lights())
        if (const auto* label = dynamic_cast<const tk::Label*>(light); label && !label->Caption().empty())
            ExpectWhole(OfLabel(L"advanced view label", view, *label));
    ExpectWhole(OfWindow(L"hex field", advanced.Hex().hWnd(), ::GetSysColor(COLOR_WINDOWTEXT)));
    ExpectWhole(OfWindow(L"numeric field", advanced.Numeric().hWnd(), ::GetSysColor(COLOR_WINDOWTEXT)));
    frmAdvanced->Unload();

    // About, shown as the menu shows it but without its modal loop.
    FrmAbout& about = *frmAbout;
    about.Show();
    ExpectAboutWhole(about, L"");
    EXPECT_EQ(about.ClientSizePixels().cx, static_cast<int>(std::lround(5640.0 * ExpectedDpi() / 1440)));
    EXPECT_EQ(about.ClientSizePixels().cy, static_cast<int>(std::lround(2220.0 * ExpectedDpi() / 1440)));
    about.Unload();

    // Help, at the pointer.
    tktest::MoveMouse({100, 100});
    tktest::PumpUntil([] { POINT p{}; ::GetCursorPos(&p); return p.x == 100 && p.y == 100; });
    main.MostraGuida();
    FrmHelp& help = *frmHelp;
    ExpectWhole(OfLabel(L"help title", help.hWnd(), help.Label2));
    ExpectWhole(OfLabel(L"help text", help.hWnd(), help.Label1, true));
    EXPECT_EQ(help.Image1.Width(), S(16));
    EXPECT_EQ(help.Image1.Height(), S(16));
}

TEST_F(Scaling, ADragSamplesThePixelUnderTheScaledViewFinderCentre)
{
    m_backdrop.Paint(RGB(255, 128, 0));
    FrmMain& main = *frmMain;
    main.Show();
    const POINT before = main.PositionPixels();
    constexpr int kDx = -120, kDy = 60;
    // Navy starts at the very pixel the scaled view-finder centre will lie on.
    const int splitX = before.x + kDx + S(45);
    m_backdrop.Paint(RGB(255, 128, 0), RGB(18, 52, 86), splitX);
    ASSERT_TRUE(tktest::PumpUntil([&] { return tktest::ScreenPixel(splitX, 0) == RGB(18, 52, 86); }));

    // Pressed on the "Web:" caption, moved in steps by the real mouse, released.
    const RECT caption = OnScreen(main.Skin().hWnd(), main.Caption(0).Bounds());
    const POINT start{(caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2};
    // The hand moves on once the loop holds the grip (its first wait comes
    // after the first sample), and lets go once the window is there and has
    // sampled navy: the sample is judged with the button still held, since
    // a move in the very step that takes the release samples a spot the
    // screen has not repainted yet (Wine).
    const POINT target{before.x + kDx, before.y + kDy};
    EXPECT_TRUE(tktest::DragFromThread(
        start, {start.x + kDx, start.y + kDy},
        {.grabbed = tktest::Grip(main),
         .arrived = [&] {
             return tktest::WindowAt(main.hWnd(), target) && main.LastColor() == static_cast<ColorValue>(RGB(18, 52, 86));
         }}))
        << "the view-finder never sampled navy at its place";

    const POINT after = main.PositionPixels();
    EXPECT_EQ(after.x - before.x, kDx);
    EXPECT_EQ(after.y - before.y, kDy);
    EXPECT_EQ(tktest::ScreenPixel(after.x + S(45), after.y + S(121)), RGB(18, 52, 86));
}

TEST_F(Scaling, MovedToAMonitorOfAnotherScaleItLaysItselfOutAgain)
{
    // Every pixel of the chart has a colour of its own, so a sample one
    // pixel off shows as another colour.
    std::optional<tktest::PatternChart> chart(std::in_place);
    FrmMain& main = *frmMain;
    main.Show();
    const UINT from = ExpectedDpi();
    const UINT to = from == 144 ? 96 : 144;
    const POINT corner = main.PositionPixels();
    const POINT sampled{corner.x + tk::Scale(45, from), corner.y + tk::Scale(121, from)};
    const COLORREF under = tktest::PatternChart::ColourAt(sampled.x, sampled.y);
    ASSERT_TRUE(tktest::PumpUntil([&] {
        main.RefreshColor();
        return main.LastColor() == static_cast<ColorValue>(under);
    })) << "the first sample is the chart's pixel under the view-finder";
    const std::wstring web = main.FieldText(0);

    // What the system sends when the window reaches a monitor of another scale.
    RECT suggested{corner.x, corner.y, corner.x + tk::Scale(233, to), corner.y + tk::Scale(245, to)};
    ::SendMessageW(main.hWnd(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(main.Dpi(), to);
    const POINT moved = main.PositionPixels();
    EXPECT_EQ(moved.x + tk::Scale(45, to), sampled.x) << "the view-finder stays over the same point";
    EXPECT_EQ(moved.y + tk::Scale(121, to), sampled.y);
    // The next sample, once the screen shows the window's new place, is of the same pixel.
    EXPECT_TRUE(tktest::PumpUntil([&] {
        main.RefreshColor();
        return main.LastColor() == static_cast<ColorValue>(under);
    })) << "sampled " << std::hex << main.LastColor() << " instead of " << under;
    RECT outer{};
    ::GetWindowRect(main.hWnd(), &outer);
    EXPECT_EQ(outer.right - outer.left, tk::Scale(233, to));
    EXPECT_EQ(outer.bottom - outer.top, tk::Scale(245, to));
    int runs = 0;
    tk::unique_hrgn region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(main.hWnd(), region.get()), ERROR);
    EXPECT_TRUE(::EqualRgn(region.get(), RegionOf(LoadSkinBitmap(to).get(), &runs).get()));
    EXPECT_EQ(main.FieldText(0), web) << "the values stay";
    EXPECT_EQ(main.Skin().Point(tk::Scale(192, to), tk::Scale(164, to)), static_cast<long>(under))
        << "and the swatch, in the new skin";

    // Every text whole, with the widest values.
    chart.reset();
    m_backdrop.Paint(RGB(255, 255, 255));
    ASSERT_TRUE(tktest::PumpUntil([&] {
        main.RefreshColor();
        return main.FieldText(0) == L"#FFFFFF";
    }));
    const HWND skin = main.Skin().hWnd();
    for (int i = 0; i < 5; ++i)
        ExpectWhole(OfLabel(L"caption after the change", skin, main.Caption(i)));
    for (HWND field = ::FindWindowExW(skin, nullptr, tk::kTextFieldClass, nullptr); field;
         field = ::FindWindowExW(skin, field, tk::kTextFieldClass, nullptr))
        ExpectWhole(OfWindow(L"field after the change", field, ::GetSysColor(COLOR_WINDOWTEXT)));
}

TEST_F(Scaling, TheAdvancedViewMovedToAnotherScaleLaysItselfOutAgain)
{
    m_backdrop.Paint(RGB(18, 52, 86));
    // The widest values, over a gradient from white to the stop colour, black.
    frmAdvanced->ShowWindow(RGB(255, 255, 255));
    FrmAdvanced& view = *frmAdvanced;
    FrmAdvancedTestAccess advanced{view};
    const UINT to = ExpectedDpi() == 144 ? 96 : 144;
    const auto T = [to](int value96) { return tk::Scale(value96, to); };

    // What the system sends when the window reaches a monitor of another scale.
    const POINT corner = view.PositionPixels();
    RECT suggested{corner.x + 13, corner.y + 7, corner.x + 13 + T(285), corner.y + 7 + T(156)};
    ::SendMessageW(view.hWnd(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));

    const POINT moved = view.PositionPixels();
    EXPECT_EQ(moved.x, suggested.left) << "at the suggested place";
    EXPECT_EQ(moved.y, suggested.top);
    const SIZE client = view.ClientSizePixels();
    EXPECT_EQ(client.cx, T(283));
    EXPECT_EQ(client.cy, T(154));
    EXPECT_EQ(advanced.Corner(1).Left(), T(283) - T(9) - T(1)) << "the corner arrows follow the new size";
    EXPECT_EQ(advanced.Corner(1).Top(), T(154) - T(11) - T(1));

    // Fonts at their point sizes for the new scale, every text whole in its box.
    const tk::unique_hfont expectedFont = tk::CreateFontFrom({.dpi = to});
    const HWND window = view.hWnd();
    for (tk::LightControl* light : advanced.Lights())
        if (const auto* label = dynamic_cast<const tk::Label*>(light); label && !label->Caption().empty())
            ExpectWhole(OfLabel(L"advanced view label after the change", window, *label));
    EXPECT_EQ(FontHeight(advanced.Value(0).Font()), FontHeight(expectedFont.get()));
    ASSERT_FALSE(advanced.Contrast().Caption().empty());
    ExpectWhole(OfLabel(L"contrast after the change", window, advanced.Contrast()));
    for (tk::TextBox* field : {&advanced.Hex(), &advanced.Numeric()}) {
        EXPECT_EQ(FontHeight(reinterpret_cast<HFONT>(::SendMessageW(field->hWnd(), WM_GETFONT, 0, 0))),
                  FontHeight(expectedFont.get()));
        ExpectWhole(OfWindow(L"field after the change", field->hWnd(), ::GetSysColor(COLOR_WINDOWTEXT)));
    }
    EXPECT_EQ(advanced.Hex().Text(), L"FFFFFF");

    // The strip at its new place and size, the gradient drawn across it again.
    RECT strip{};
    ::GetWindowRect(advanced.Strip().hWnd(), &strip);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&strip), 2);
    EXPECT_EQ(strip.left, T(11));
    EXPECT_EQ(strip.top, T(119));
    EXPECT_EQ(strip.right - strip.left, T(256));
    EXPECT_EQ(strip.bottom - strip.top, T(24));
    const RECT shown = OnScreen(advanced.Strip().hWnd(), {0, 0, T(256), T(24)});
    const auto stepShown = [&](int step, int x) {
        const int channel = 255 - step; // white to black
        return tktest::ScreenPixel(shown.left + x, shown.top + T(24) / 3) ==
               static_cast<COLORREF>(QuantizeColor(RGB(channel, channel, channel)));
    };
    tktest::PumpUntil([&] { return stepShown(254, T(254)); });
    for (const int step : {1, 40, 128, 200, 254})
        for (const int x : {T(step), T(step + 1) - 1})
            EXPECT_TRUE(stepShown(step, x)) << "step " << step << " at column " << x;
    view.Unload();
}

TEST_F(Scaling, AboutAndHelpMovedToAnotherScaleLayThemselvesOutAgain)
{
    const UINT to = ExpectedDpi() == 144 ? 96 : 144;
    const auto twips = [to](int value) { return static_cast<int>(std::lround(value * static_cast<double>(to) / 1440)); };
    const auto changeScale = [to](tk::Form& form) {
        const POINT corner = form.PositionPixels();
        RECT outer{};
        ::GetWindowRect(form.hWnd(), &outer);
        RECT suggested{corner.x + 11, corner.y + 5, corner.x + 11 + outer.right - outer.left,
                       corner.y + 5 + outer.bottom - outer.top};
        ::SendMessageW(form.hWnd(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(form.PositionPixels().x, suggested.left) << "at the suggested place";
        EXPECT_EQ(form.PositionPixels().y, suggested.top);
    };
    const tk::unique_hfont expectedFont = tk::CreateFontFrom({.dpi = to});

    FrmAbout& about = *frmAbout;
    about.Show();
    changeScale(about);
    EXPECT_EQ(about.ClientSizePixels().cx, twips(5640));
    EXPECT_EQ(about.ClientSizePixels().cy, twips(2220));
    EXPECT_EQ(FontHeight(about.Label4.Font()), FontHeight(expectedFont.get()));
    EXPECT_EQ(FontHeight(reinterpret_cast<HFONT>(::SendMessageW(about.Command1.hWnd(), WM_GETFONT, 0, 0))),
              FontHeight(expectedFont.get()));
    ExpectAboutWhole(about, L" after the change");
    about.Unload();

    tktest::MoveMouse({100, 100});
    tktest::PumpUntil([] { POINT p{}; ::GetCursorPos(&p); return p.x == 100 && p.y == 100; });
    frmMain->MostraGuida();
    FrmHelp& help = *frmHelp;
    changeScale(help);
    EXPECT_EQ(help.ClientSizePixels().cx, twips(4695));
    EXPECT_GE(help.ClientSizePixels().cy, twips(1515));
    EXPECT_EQ(help.Image1.Width(), tk::Scale(16, to));
    EXPECT_EQ(FontHeight(help.Label1.Font()), FontHeight(expectedFont.get()));
    ExpectWhole(OfLabel(L"help title after the change", help.hWnd(), help.Label2));
    ExpectWhole(OfLabel(L"help text after the change", help.hWnd(), help.Label1, true));
}
