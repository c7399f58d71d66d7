// The soak's chart and the picker on it.
#include "scene.h"

#include "support/pixels.h"

namespace soak {

StripeChart::StripeChart()
    : m_chart([this](int x, int) { return StripeColour(x / kStripe, m_phase); }, tktest::ScreenChart::Columns,
              tktest::ScreenChart::NotActivating)
{
}

void StripeChart::Animate(bool on)
{
    if (!on) {
        m_animation.reset();
        return;
    }
    m_animation = std::make_unique<tktest::ThreadTimer>(
        10,
        [this] {
            ++m_phase;
            m_chart.Repaint();
        },
        tktest::ThreadTimer::Repeat);
}

COLORREF StripeChart::StripeColour(int stripe, int phase)
{
    const int k = stripe + phase;
    return RGB((k * 37) & 255, (k * 91 + 40) & 255, (k * 53 + 80) & 255);
}

namespace {
StripeChart* g_chart = nullptr;
}

void UseChart(StripeChart* chart)
{
    g_chart = chart;
}

StripeChart& Chart()
{
    return *g_chart;
}

int ScreenWidth()
{
    return ::GetSystemMetrics(SM_CXSCREEN);
}

int ScreenHeight()
{
    return ::GetSystemMetrics(SM_CYSCREEN);
}

ColorValue ReadThroughScreenDC(std::int32_t x, std::int32_t y)
{
    return static_cast<ColorValue>(tktest::ScreenPixel(x, y));
}

FrmMain& Picker()
{
    FrmMain& picker = *frmMain;
    if (!::IsWindowVisible(picker.hWnd()))
        picker.Show();
    return picker;
}

void PlacePicker(FrmMain& picker, int left, int top, int grabX, int grabY)
{
    picker.MovePixels(left, top);
    ::SetCursorPos(left + grabX, top + grabY);
    tk::DoEvents();
}

void PressOnSkin(FrmMain& picker, UINT message, WPARAM keys)
{
    ::PostMessageW(picker.Skin().hWnd(), message, keys, MAKELPARAM(200, 200));
}

} // namespace soak
