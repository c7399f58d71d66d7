// What every check stands on: a screen-filling chart of stripes whose colours
// shift on a timer, so the view-finder finds a changing screen wherever it
// is, and the picker placed and pressed on it.
#pragma once

#include "colour/colour.h"
#include "mainwindow/frm_main.h"
#include "support/pattern_chart.h"
#include "support/timing.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace soak {

class StripeChart {
public:
    StripeChart();
    HWND hwnd() const { return m_chart.hwnd(); }
    void Animate(bool on);
    static COLORREF StripeColour(int stripe, int phase);

private:
    static constexpr int kStripe = 24;
    int m_phase = 0;
    tktest::ScreenChart m_chart;
    std::unique_ptr<tktest::ThreadTimer> m_animation;
};

// The chart of the run, which its owner names here for the checks.
void UseChart(StripeChart* chart);
StripeChart& Chart();

int ScreenWidth();
int ScreenHeight();

// The pixel as a GetDC(NULL) read gives it: -1 (CLR_INVALID) off the screen.
ColorValue ReadThroughScreenDC(std::int32_t x, std::int32_t y);

// The main window, shown.
FrmMain& Picker();
// Places the picker and the cursor so that the cursor holds it at (grabX, grabY).
void PlacePicker(FrmMain& picker, int left, int top, int grabX, int grabY);
void PressOnSkin(FrmMain& picker, UINT message, WPARAM keys);

} // namespace soak
