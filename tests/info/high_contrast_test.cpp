// Under a high-contrast theme (the setting answered through the services'
// recorder, the theme's colours set for the test) About, Help and the
// advanced view draw their words and backgrounds in the theme's colours,
// while the colour areas (preview, strip) keep showing colours; switched on
// or off while they are open, they follow as Windows tells them.
#include "advanced/frm_advanced.h"
#include "info/frm_about.h"
#include "info/frm_help.h"
#include "support/advanced_access.h"
#include "support/all.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// A dark theme, every colour distinct from the windows' own.
constexpr std::array<int, 7> kElements = {COLOR_BTNFACE, COLOR_BTNTEXT,  COLOR_WINDOW, COLOR_WINDOWTEXT,
                                          COLOR_INFOBK,  COLOR_INFOTEXT, COLOR_HOTLIGHT};
constexpr std::array<COLORREF, 7> kTheme = {RGB(0, 0, 0),  RGB(255, 255, 255), RGB(0, 0, 0),  RGB(255, 255, 0),
                                            RGB(0, 0, 64), RGB(0, 255, 0),     RGB(0, 255, 255)};

class HighContrast : public tktest::WindowTest {
protected:
    void SetUp() override
    {
        for (std::size_t i = 0; i < kElements.size(); ++i)
            m_saved[i] = ::GetSysColor(kElements[i]);
        ::SetSysColors(static_cast<int>(kElements.size()), kElements.data(), kTheme.data());
        m_services.highContrast = true;
    }
    void TearDown() override
    {
        tktest::WindowTest::TearDown();
        ::SetSysColors(static_cast<int>(kElements.size()), kElements.data(), m_saved.data());
    }
    // How many pixels of an area of a window show the colour.
    static int Count(HWND window, const RECT& area, COLORREF colour)
    {
        const tktest::Pixels shot = tktest::SettledClient(window, area);
        return shot.Count({0, 0, shot.width, shot.height}, [&](COLORREF c) { return c == colour; });
    }

    tktest::AccessibilityRecorder m_services;
    std::array<COLORREF, 7> m_saved{};
};

} // namespace

TEST_F(HighContrast, AboutAndHelpTakeTheThemesColours)
{
    FrmAbout& about = *frmAbout;
    about.Show();
    const RECT author = about.Label5.Bounds();
    EXPECT_GT(Count(about.hWnd(), author, RGB(255, 255, 255)), 20) << "the author in the theme's button text";
    EXPECT_GT(Count(about.hWnd(), about.Label1.Bounds(), RGB(0, 255, 255)), 20) << "the link in the theme's link colour";
    about.Unload();

    FrmHelp& help = *frmHelp;
    help.Show();
    EXPECT_GT(Count(help.hWnd(), help.Label2.Bounds(), RGB(0, 255, 0)), 10) << "the title in the tool tip's text colour";
    EXPECT_GT(Count(help.hWnd(), help.Label1.Bounds(), RGB(0, 0, 64)), 1000) << "on the tool tip's background";
}

TEST_F(HighContrast, AdvancedViewTakesTheThemesColoursAndKeepsItsColourAreas)
{
    frmAdvanced->ShowWindow(RGB(255, 128, 0));
    FrmAdvanced& advanced = *frmAdvanced;
    FrmAdvancedTestAccess parts{advanced};
    const HWND window = advanced.hWnd();
    // Background and words: the slider captions and value labels, the fields.
    EXPECT_GT(Count(window, {0, 60, 30, 100}, RGB(0, 0, 0)), 1000);
    EXPECT_GT(Count(window, parts.Value(0).Bounds(), RGB(255, 255, 0)), 10) << "255 in the theme's text colour";
    const RECT hex = tktest::ClientRectOf(parts.Hex().hWnd());
    EXPECT_GT(Count(parts.Hex().hWnd(), hex, RGB(255, 255, 0)), 10) << "FF8000 in the theme's text colour";
    // The colour areas as they are.
    const RECT preview = parts.Preview().Bounds();
    EXPECT_GT(Count(window, {preview.left + 2, preview.top + 2, preview.right - 2, preview.bottom - 2}, RGB(255, 128, 0)),
              200);
    // The strip's first columns, from orange towards the black stop.
    const tktest::Pixels strip = tktest::ReadClient(parts.Strip().hWnd(), {2, 2, 3, 3});
    EXPECT_GE(GetRValue(strip.At(0, 0)), 250);
    EXPECT_NEAR(GetGValue(strip.At(0, 0)), 127, 2);
    EXPECT_EQ(GetBValue(strip.At(0, 0)), 0);
}

TEST_F(HighContrast, OpenWindowsFollowTheSettingAsItChanges)
{
    // As Windows tells every top-level window: of the setting, then of the colours.
    const auto turn = [&](bool on, HWND window, UINT message) {
        m_services.highContrast = on;
        ::SendMessageW(window, message, message == WM_SETTINGCHANGE ? SPI_SETHIGHCONTRAST : 0, 0);
    };
    m_services.highContrast = false;
    frmAdvanced->ShowWindow(RGB(255, 128, 0));
    const HWND advanced = frmAdvanced->hWnd();
    turn(true, advanced, WM_SETTINGCHANGE);
    EXPECT_GT(Count(advanced, {0, 60, 30, 100}, RGB(0, 0, 0)), 1000) << "the theme's background";
    turn(false, advanced, WM_SYSCOLORCHANGE);
    EXPECT_GT(Count(advanced, {0, 60, 30, 100}, RGB(255, 255, 192)), 1000) << "the view's own again";
    frmAdvanced->Unload();

    frmAbout->Show();
    turn(true, frmAbout->hWnd(), WM_SETTINGCHANGE);
    EXPECT_GT(Count(frmAbout->hWnd(), frmAbout->Label5.Bounds(), RGB(255, 255, 255)), 20) << "the author";
    frmAbout->Unload();

    m_services.highContrast = false;
    frmHelp->Show();
    turn(true, frmHelp->hWnd(), WM_SYSCOLORCHANGE);
    EXPECT_GT(Count(frmHelp->hWnd(), frmHelp->Label2.Bounds(), RGB(0, 255, 0)), 10) << "the title";
}
