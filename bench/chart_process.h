// The chart the bench's drags run over, in a process of its own as the screen
// under a picker is: its repaints are not the picker's. The same program
// started with "chart" or "stripes" runs it (RunChart).
#pragma once

#include <windows.h>

#include <array>
#include <string>

namespace bench {

// Bands: a screen-filling chart of vertical bands; every two neighbouring
// stops of the drag differ in all three components, so each sample changes
// the colour and every slider of the advanced view.
constexpr int kBandWidth = 256;
constexpr std::array<COLORREF, 4> kBands = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(18, 52, 86), RGB(255, 128, 64)};

// Stripes: one-pixel columns, each of another colour, so a drag one pixel on
// at every step samples a new colour each time.
COLORREF StripeColour(int x);

// The chart process's main: "bands" or "stripes".
int RunChart(const std::wstring& kind);

class ChartProcess {
public:
    explicit ChartProcess(const std::wstring& kind);
    ~ChartProcess();
    ChartProcess(const ChartProcess&) = delete;
    ChartProcess& operator=(const ChartProcess&) = delete;

    // Asks the chart to paint a small spot of a colour around a point; the
    // chart paints it as soon as its thread gets the message.
    void Recolour(POINT centre, COLORREF colour) const;

private:
    bool Start();
    void Stop();

    std::wstring m_kind;
    PROCESS_INFORMATION m_process{};
};

} // namespace bench
