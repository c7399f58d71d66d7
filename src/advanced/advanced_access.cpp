// Keyboard, screen-reader and high-contrast support of the advanced view.
#include "advanced/advanced_access.h"

#include "advanced/colour_words.h"
#include "advanced/frm_advanced.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "winservices/accessibility.h"

#include <algorithm>

namespace {

constexpr int kPageStep = 16;
// The corner buttons by index in the tab order: top-left, top-right,
// bottom-left, bottom-right, as a reader goes through the window.
constexpr int kCornerOrder[4] = {3, 0, 2, 1};
constexpr int kCornerNames[4] = {IDS_CORNER_TOP_RIGHT, IDS_CORNER_BOTTOM_RIGHT, IDS_CORNER_BOTTOM_LEFT,
                                 IDS_CORNER_TOP_LEFT}; // by index

} // namespace

void AdvancedAccess::Create()
{
    lblColourName.Create(m_form, 0, 0, 0, 0);
    lblColourName.SetCaption(L"");
    lblColourName.SetAlignment(tk::Alignment::Right);
    lblColourName.MouseDown = [this](int button, int shift, float x, float y) {
        m_form.Form_MouseDown(button, shift, x, y);
    };
    m_standIns[0].Create(m_form, m_form.lblGradientStop);
    for (int i = 0; i < 4; ++i)
        m_standIns[static_cast<std::size_t>(1 + i)].Create(m_form, m_form.Label2[kCornerOrder[i]]);
    m_standIns[5].Create(m_form, m_form.ButtonClose);
    for (int i = 0; i < 3; ++i)
        m_sliderFrames[static_cast<std::size_t>(i)].Create(m_form, m_form.RGBSlider[i].hWnd());
}

void AdvancedAccess::Place()
{
    // On the contrast's line, from its right end: the contrast's text is short.
    lblColourName.SetBounds(m_form.S(131), m_form.S(100), m_form.S(136), m_form.S(15));
    lblColourName.SetFont({.dpi = m_form.Dpi()});
    for (tk::KeyStandIn& standIn : m_standIns)
        standIn.Follow();
    for (tk::FocusFrame& frame : m_sliderFrames)
        frame.Follow();
}

void AdvancedAccess::Load()
{
    static constexpr int kSliderNames[3] = {IDS_SLIDER_RED, IDS_SLIDER_GREEN, IDS_SLIDER_BLUE};
    for (int i = 0; i < 3; ++i)
        m_names.Set(m_form.RGBSlider[i].hWnd(), LoadResString(kSliderNames[i]));
    m_names.Set(m_form.TextHEX.hWnd(), L"HEX");
    m_names.Set(m_form.textNumeric.hWnd(), L"Num");
    m_names.Set(m_standIns[0].hWnd(), LoadResString(IDS_STOP_COLOUR));
    for (int i = 0; i < 4; ++i)
        m_names.Set(m_standIns[static_cast<std::size_t>(1 + i)].hWnd(), LoadResString(kCornerNames[kCornerOrder[i]]));
    m_names.Set(m_standIns[5].hWnd(), LoadResString(IDS_CLOSE));

    ApplyTheme();
}

void AdvancedAccess::ApplyTheme()
{
    // The theme's colours for the window and its words; the preview, the
    // stop colour and the strip show colours and stay as they are. Without
    // the theme, the window's own: its pale background, black words, the
    // fields black on white.
    const bool contrast = IsHighContrast();
    const COLORREF text = contrast ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0);
    const COLORREF back = contrast ? ::GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255);
    m_form.SetBackColor(contrast ? back : m_form.Style().backColor);
    for (tk::Label* label : {&m_form.Label1[0], &m_form.Label1[1], &m_form.Label1[2], &m_form.RBGValue[0],
                             &m_form.RBGValue[1], &m_form.RBGValue[2], &m_form.Label3[0], &m_form.Label3[1],
                             &m_form.lblContrast, &lblColourName})
        label->SetForeColor(text);
    for (SymbolLabel* symbol : {&m_form.ButtonClose, &m_form.Label2[0], &m_form.Label2[1], &m_form.Label2[2],
                                &m_form.Label2[3]})
        symbol->SetForeColor(text);
    m_form.TextHEX.SetColors(text, back);
    m_form.textNumeric.SetColors(text, back);
}

bool AdvancedAccess::TakeKey(int keyCode, int shift)
{
    if (keyCode == VK_ESCAPE && shift == 0) {
        m_form.Unload();
        return true;
    }
    if (keyCode == VK_PRIOR || keyCode == VK_NEXT) {
        for (tk::ScrollBar& slider : m_form.RGBSlider)
            if (::GetFocus() == slider.hWnd()) {
                // As the slider's own keys go: Page Up towards its start.
                const int step = keyCode == VK_PRIOR ? -kPageStep : kPageStep;
                slider.SetValue(std::clamp(slider.Value() + step, 0, 255));
                return true;
            }
        return false;
    }
    for (tk::KeyStandIn& standIn : m_standIns)
        if (standIn.TakeKey(keyCode))
            return true;
    return false;
}

void AdvancedAccess::ColourShown(ColorValue color)
{
    lblColourName.SetCaption(UserColourName(color));
}
