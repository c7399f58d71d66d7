// What the advanced view shows after the main window samples a colour: its
// pixels on the screen, read back once the samples have been drawn, against
// the picture computed here and against a full repaint of the same state.
#include "advanced/frm_advanced.h"
#include "mainwindow/frm_main.h"
#include "support/advanced_access.h"
#include "support/all.h"
#include "winservices/api_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using tktest::Pixels;

// The strip from `from` to a black stop, pixel by pixel: one column per
// step of the blend, the row at two thirds inverted, a button-shadow frame.
COLORREF ExpectedStripPixel(COLORREF from, int x, int y, int width, int height)
{
    if (x == 0 || y == 0 || x == width - 1 || y == height - 1)
        return ::GetSysColor(COLOR_BTNSHADOW);
    const double towardsStop = x / 255.0;
    const auto blend = [towardsStop](int component) {
        return static_cast<int>(std::nearbyint((1.0 - towardsStop) * component + towardsStop * 0));
    };
    const COLORREF column = RGB(blend(GetRValue(from)), blend(GetGValue(from)), blend(GetBValue(from)));
    if (y == height * 2 / 3)
        return RGB(255 - GetRValue(column), 255 - GetGValue(column), 255 - GetBValue(column));
    return column;
}

class AdvancedDrawing : public tktest::WindowTest {
protected:
    // The backdrop under the view-finder takes the colour and the main
    // window samples it, as one step of a drag does.
    void Sample(FrmMain& main, COLORREF colour)
    {
        m_backdrop.Paint(colour);
        main.RefreshColor();
        // Drawn once the preview shows the colour and nothing waits to be painted.
        FrmAdvancedTestAccess access{*frmAdvanced};
        const tk::Label& preview = access.Preview();
        const POINT centre{preview.Left() + preview.Width() / 2, preview.Top() + preview.Height() / 2};
        tktest::PumpUntil([&] {
            return !tktest::Unpainted(access.form.hWnd()) && tktest::ScreenShows(access.form.hWnd(), centre, colour);
        });
    }

    tktest::Backdrop m_backdrop;
};

} // namespace

TEST_F(AdvancedDrawing, AfterEachSampleTheScreenShowsExactlyTheNewColourEverywhere)
{
    FrmMain& main = *frmMain;
    main.Show();
    frmAdvanced->ShowWindow(0);
    // No control keeps the focus: a focused slider blinks its thumb, which
    // would tell two reads of one picture apart.
    ::SetFocus(nullptr);
    tktest::WaitPainted(frmAdvanced->hWnd());
    FrmAdvancedTestAccess access{*frmAdvanced};
    const HWND window = access.form.hWnd();
    RECT client = tktest::ClientRectOf(window);
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    RECT mainRect{};
    ::GetWindowRect(main.hWnd(), &mainRect);
    RECT overlap{};
    ASSERT_FALSE(::IntersectRect(&overlap, &client, &mainRect)) << "the two windows must not cover each other";

    // All three components change, then two, then none (the same colour again).
    const COLORREF samples[] = {RGB(255, 255, 255), RGB(255, 0, 200), RGB(255, 0, 200), RGB(18, 52, 86)};
    for (const COLORREF colour : samples) {
        SCOPED_TRACE("sample " + std::to_string(colour));
        Sample(main, colour);
        ASSERT_EQ(main.LastColor(), static_cast<ColorValue>(colour));

        // The state: every field, slider and label holds the sampled colour.
        EXPECT_EQ(access.Current(), static_cast<ColorValue>(colour));
        const int components[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(access.Slider(i).Value(), components[i]);
            EXPECT_EQ(::GetScrollPos(access.Slider(i).hWnd(), SB_CTL), components[i]);
            EXPECT_EQ(access.Value(i).Caption(), std::to_wstring(components[i]));
        }
        wchar_t hex[8];
        std::swprintf(hex, 8, L"%02X%02X%02X", components[0], components[1], components[2]);
        EXPECT_EQ(access.Hex().Text(), hex);
        EXPECT_EQ(access.Numeric().Text(), std::to_wstring(colour));

        // The screen: the strip runs from this colour to the black stop...
        const Pixels onScreen = tktest::ReadScreen(client);
        RECT strip{};
        ::GetWindowRect(access.Strip().hWnd(), &strip);
        ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&strip), 2);
        const int width = strip.right - strip.left;
        const int height = strip.bottom - strip.top;
        ASSERT_EQ(width, 256);
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (onScreen.At(strip.left + x, strip.top + y) != ExpectedStripPixel(colour, x, y, width, height))
                    ++wrong;
        EXPECT_EQ(wrong, 0) << "strip pixels differing from the strip of the sampled colour";
        // ...the preview is filled with it inside its border...
        const tk::Label& preview = access.Preview();
        EXPECT_EQ(onScreen.At(preview.Left() + preview.Width() / 2, preview.Top() + preview.Height() / 2), colour);

        // ...and nothing on the screen is left from an earlier colour: the
        // window repainted whole from its state shows the very same pixels.
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        tktest::PumpUntil([&] { return !tktest::Unpainted(window); });
        const Pixels repainted = tktest::ReadScreen(client);
        EXPECT_EQ(onScreen, repainted);
        if (onScreen != repainted) {
            tktest::SaveBmp(onScreen, "advanced_after_sample.bmp");
            tktest::SaveBmp(repainted, "advanced_repainted.bmp");
        }
    }
}
