// The advanced view shows the contrast between its colour and the stop
// colour in the band above the strip, with every colour and stop colour.
#include "advanced/frm_advanced.h"
#include "support/backdrop.h"
#include "toolkit/win_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

using testing_support::PumpFor;

TEST(AdvancedContrast, FollowsEveryColourAndStopColour)
{
    const char* language = std::getenv("TAVOLISK_EXPECT_LANGUAGE");
    const std::wstring word = language && std::string(language) == "it" ? L"Contrasto " : L"Contrast ";
    FrmAdvanced& view = *frmAdvanced;
    view.ShowWindow(0xFFFFFF); // against the black stop every opening sets
    PumpFor(std::chrono::milliseconds(150));
    EXPECT_EQ(view.ContrastCaption(), word + L"21:1 AAA");

    // The caption is drawn in the band between the fields and the strip.
    RECT band{11, 100, 11 + 256, 115};
    ::MapWindowPoints(view.hWnd(), nullptr, reinterpret_cast<POINT*>(&band), 2);
    const tktest::Pixels pixels = tktest::ReadScreen(band);
    int ink = 0;
    for (std::uint32_t value : pixels.bgr)
        ink += value != 0xFFFFC0; // anything but the pale yellow background
    EXPECT_GT(ink, 20);

    view.SetColor(0x777777, false);
    EXPECT_EQ(view.ContrastCaption(), word + L"4.69:1 AA");
    // A new stop colour (the colour dialog's choice ends here).
    view.ShowGradient(0x777777, 0xFFFFFF);
    EXPECT_EQ(view.ContrastCaption(), word + L"4.48:1");
    view.SetColor(0xFF, false); // red against black
    EXPECT_EQ(view.ContrastCaption(), word + L"5.25:1 AA");
    view.SetColor(-1, false);
    EXPECT_EQ(view.ContrastCaption(), L"");
    view.Unload();
    tk::CollectRetiredForms();
}
