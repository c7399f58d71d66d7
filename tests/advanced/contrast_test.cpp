// The advanced view shows the contrast between its colour and the stop
// colour in the band above the strip, with every colour and stop colour.
#include "advanced/frm_advanced.h"
#include "resources/resource.h"
#include "support/advanced_access.h"
#include "support/all.h"

#include <gtest/gtest.h>

using AdvancedContrast = tktest::WindowTest;

TEST_F(AdvancedContrast, FollowsEveryColourAndStopColour)
{
    FrmAdvanced& view = *frmAdvanced;
    tk::Label& caption = FrmAdvancedTestAccess{view}.Contrast();
    const std::wstring word = tktest::ExpectedText(IDS_CONTRAST) + L" ";
    view.ShowWindow(0xFFFFFF); // against the black stop every opening sets
    EXPECT_EQ(caption.Caption(), word + L"21:1 AAA");

    // The caption is drawn in the band between the fields and the strip.
    EXPECT_TRUE(tktest::PumpUntil([&] {
        const tktest::Pixels band = tktest::ReadClient(view.hWnd(), caption.Bounds());
        return band.Count({0, 0, band.width, band.height}, tktest::IsInk) > 20;
    }));

    view.SetColor(0x777777, false);
    EXPECT_EQ(caption.Caption(), word + L"4.69:1 AA");
    // A new stop colour, chosen in the colour dialog as a user does.
    ASSERT_TRUE(tktest::ChooseStop(FrmAdvancedTestAccess{view}, true, RGB(255, 255, 255)).answered);
    EXPECT_EQ(caption.Caption(), word + L"4.48:1");
    view.SetColor(0xFF, false); // red against the white stop, which stays
    EXPECT_EQ(caption.Caption(), word + L"4:1");
    view.SetColor(-1, false);
    EXPECT_EQ(caption.Caption(), L"");
}
