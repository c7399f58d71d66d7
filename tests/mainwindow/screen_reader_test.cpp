// What a screen reader is given, through the services' recorder (Wine has
// neither the annotation service nor UI Automation notifications): the
// names of the fields, sliders and lens, taken back as their windows close,
// the colour when a burst of nudges settles and when a drag ends on a new
// one, a copy, and the swatch's tool tip with the colour's name.
#include "advanced/frm_advanced.h"
#include "colour/mouse_function.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/zoom_lens.h"
#include "resources/resource.h"
#include "support/advanced_access.h"
#include "support/all.h"
#include "support/picker.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kOrange = RGB(255, 128, 0);
constexpr COLORREF kNavy = RGB(18, 52, 86); // "dark blue"

bool Italian()
{
    return tktest::ExpectedLanguage() == "it";
}

// A settled burst is announced 500 ms after its last nudge; a second
// announcement would need this long to show.
constexpr DWORD kOutlastTheAnnounceDelay = 800;

class ScreenReader : public tktest::WindowTest {
protected:
    FrmMain& StartPicker(COLORREF colour)
    {
        m_backdrop.Paint(colour);
        FrmMain& main = *frmMain;
        main.Show();
        tktest::WaitPainted(main.hWnd());
        ::SetForegroundWindow(main.hWnd());
        tktest::PumpUntil([&] { return ::GetForegroundWindow() == main.hWnd(); }, 2000);
        main.RefreshColor();
        return main;
    }
    static POINT SamplePoint(FrmMain& main)
    {
        const POINT corner = main.PositionPixels();
        return {corner.x + main.SampleOffset().x, corner.y + main.SampleOffset().y};
    }

    tktest::AccessibilityRecorder m_services;
    tktest::Backdrop m_backdrop;
};

} // namespace

TEST_F(ScreenReader, FieldsSlidersAndLensCarryTheirNames)
{
    FrmMain& main = StartPicker(RGB(10, 20, 30));
    // Each field by what it shows: the name must be its own row's caption.
    std::map<std::wstring, std::wstring> nameByText;
    for (const auto& [window, name] : m_services.names)
        nameByText[tktest::WindowText(window)] = name;
    const std::map<std::wstring, std::wstring> expected = {
        {L"#0A141E", L"Web"}, {L"1971210", L"Num"}, {L"10", L"R"}, {L"20", L"G"}, {L"30", L"B"}};
    for (const auto& [text, name] : expected)
        EXPECT_EQ(nameByText[text], name) << "the field showing " << tk::Narrow(text);

    frmAdvanced->ShowWindow(main.LastColor());
    FrmAdvancedTestAccess parts{*frmAdvanced};
    const std::string language = tktest::ExpectedLanguage();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m_services.NameOf(parts.Slider(i).hWnd()), tktest::AccessText(language, IDS_SLIDER_RED + i));
    EXPECT_EQ(m_services.NameOf(parts.Hex().hWnd()), L"HEX");
    EXPECT_EQ(m_services.NameOf(parts.Numeric().hWnd()), L"Num");

    OpenZoomLens(main.hWnd(), SamplePoint(main));
    EXPECT_EQ(m_services.NameOf(frmZoom->hWnd()), tktest::Text(tktest::Texts(language), IDS_ZOOM));

    // Each window takes back what it named as it closes, and only that.
    const std::size_t named = m_services.names.size();
    CloseZoomLens();
    EXPECT_EQ(m_services.names.size(), named - 1) << "the lens's";
    frmAdvanced->Unload();
    EXPECT_EQ(m_services.names.size(), 5u) << "the main window's fields alone";
    main.Unload();
    EXPECT_TRUE(m_services.names.empty());
}

TEST_F(ScreenReader, HearsTheColourWhereANudgeBurstOrADragEndsAndACopy)
{
    FrmMain& main = StartPicker(kOrange);
    const std::wstring navy = Italian() ? L"blu scuro, #123456" : L"dark blue, #123456";
    const POINT sample = SamplePoint(main);
    // Navy from 15 pixels right of the view-finder on.
    m_backdrop.Paint(kOrange, kNavy, sample.x + 15);
    ASSERT_TRUE(m_services.announcements.empty());

    // Twenty-two pixels of nudges over the edge: one announcement, once they stop.
    tktest::PressChord({VK_SHIFT, VK_RIGHT});
    tktest::PressChord({VK_SHIFT, VK_RIGHT});
    tktest::PressChord({VK_RIGHT});
    tktest::PressChord({VK_RIGHT});
    ASSERT_TRUE(tktest::PumpUntil([&] { return m_services.announcements.size() == 1; }, 3000));
    EXPECT_EQ(m_services.Said().back(), navy);
    tktest::Pump(kOutlastTheAnnounceDelay);
    EXPECT_EQ(m_services.announcements.size(), 1u);
    EXPECT_EQ(m_services.announcements.back().window, main.hWnd());

    tktest::PressChord({VK_CONTROL, 'C'});
    ASSERT_TRUE(tktest::PumpUntil([&] { return m_services.announcements.size() == 2; }, 3000));
    EXPECT_EQ(m_services.Said().back(), Italian() ? L"copiato #123456" : L"copied #123456");
    EXPECT_EQ(m_services.announcements.back().kind, AnnouncementKind::ActionDone);

    // Dragged back over the orange, painted and on screen before the hand
    // moves: said once, at the end, never on the steps that cross over.
    const POINT corner = main.PositionPixels();
    const POINT grip{corner.x + 105, corner.y + 55};
    const POINT end{SamplePoint(main).x - 60, SamplePoint(main).y + 30};
    ASSERT_TRUE(tktest::PumpUntil([&] { return tktest::ScreenPixel(end.x, end.y) == kOrange; }));
    std::size_t heardWhileHeld = 0;
    main.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        if (main.IsButtonDown())
            heardWhileHeld = m_services.announcements.size();
        return GetScreenPixel(x, y);
    });
    EXPECT_TRUE(tktest::DragFromThread(grip, {grip.x - 60, grip.y + 30},
                                       {.grabbed = tktest::Grip(main), .arrived = [&] {
                                            return tktest::WindowAt(main.hWnd(), {corner.x - 60, corner.y + 30}) &&
                                                   main.LastColor() == static_cast<ColorValue>(kOrange);
                                        }}));
    EXPECT_EQ(heardWhileHeld, 2u) << "said while the button was held";
    ASSERT_EQ(m_services.announcements.size(), 3u);
    EXPECT_EQ(m_services.Said().back(), Italian() ? L"arancione, #FF8000" : L"orange, #FF8000");
}

TEST_F(ScreenReader, TheSwatchsToolTipNamesTheColour)
{
    FrmMain& main = StartPicker(kOrange);
    const POINT corner = main.PositionPixels();
    tktest::Hover({corner.x + 20, corner.y + 20});
    tktest::MoveMouse({corner.x + FrmMain::kSwatchX, corner.y + FrmMain::kSwatchY});
    HWND tip = nullptr;
    ASSERT_TRUE(tktest::PumpUntil([&] { return (tip = tktest::VisibleToolTip()) != nullptr; }));
    EXPECT_EQ(tktest::WindowText(tip), Italian() ? L"arancione \u2014 #FF8000" : L"orange \u2014 #FF8000");
}
