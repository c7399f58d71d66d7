// The advanced view for keyboard and screen-reader users: Esc closes it,
// Page Up and Page Down move a focused slider by 16 (the arrows, the
// slider's own keys, by 1), Tab also reaches the clickable labels (the
// stop colour, the corner buttons, the close cross), the sliders and
// fields carry names, the colour's name shows beside the contrast, and a
// high-contrast theme's colours replace the window's own.
#pragma once

#include "colour/colour.h"
#include "toolkit/controls.h"
#include "toolkit/key_stand_in.h"
#include "winservices/accessibility.h"

#include <array>

class FrmAdvanced;

class AdvancedAccess {
public:
    explicit AdvancedAccess(FrmAdvanced& form) : m_form(form) {}
    AdvancedAccess(const AdvancedAccess&) = delete;
    AdvancedAccess& operator=(const AdvancedAccess&) = delete;

    // From the window's InitializeComponent (after its controls), its
    // PlaceControls, its Form_Load and its Form_Unload.
    void Create();
    void Place();
    void Load();
    void Unload() { m_names.Clear(); }
    // The theme's colours, or the window's own, as the high-contrast
    // setting now stands: at load and whenever the theme changes.
    void ApplyTheme();
    bool TakeKey(int keyCode, int shift);
    // The colour SetColor has just shown.
    void ColourShown(ColorValue color);

    const tk::Label& ColourName() const noexcept { return lblColourName; }

private:
    FrmAdvanced& m_form;
    tk::Label lblColourName;
    // The stop colour, the corners (top-left, top-right, bottom-left,
    // bottom-right) and the close cross, in the tab order.
    std::array<tk::KeyStandIn, 6> m_standIns;
    std::array<tk::FocusFrame, 3> m_sliderFrames;
    AccessibleNames m_names;
};
