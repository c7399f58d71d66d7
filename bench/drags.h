// The drags the bench times: the real drag loop over a chart whose colour
// changes at every step, its floor, the held-still drag, the drag with the lens.
#pragma once

#include "chart_process.h"

#include <vector>

namespace bench {

// Samples per second that brought a new colour, of all samples read.
struct SampleRate {
    long samples = 0;
    long changes = 0;
    double seconds = 0;
    double PerSecond() const { return changes / seconds; }
};

// The floor: the same platform work as one drag step over the bands and
// nothing else (cursor read, window move, pixel read, message pump), on a
// window with the picker's own region and child windows.
struct FloorWindow {
    int children = 0;
    bool regioned = false;
};
SampleRate FloorDrag(FloorWindow& window);

// The real drag loop over the bands, the cursor carried to the next band at
// every sample, with the advanced view closed or open.
SampleRate ChangingDrag(bool advancedOpen);

// The button held down with the cursor still over the bands, then a spot
// under the view-finder recoloured by the chart process, again and again.
struct StillFigures {
    double cpuShare = 0;      // of one core, while nothing changes
    double stillSeconds = 0;
    long stillSamples = 0;
    std::vector<double> latencies; // ms from asking the chart for a colour to the Web field showing it
    int missed = 0;
};
StillFigures HeldStillDrag(const ChartProcess& chart, bool advancedOpen);

// The drag over the stripes, one pixel on at every step, without and with the lens.
struct LensFigures {
    double rate = 0;      // samples per second
    double cpuMicros = 0; // this process's processor time per sample
    double changed = 0;   // the share of samples that brought a new colour
    long lensReads = 0;   // the lens's copies of its block from the screen
    long lensPaints = 0;
    double seconds = 0;
};
LensFigures LensDrag(bool withLens);

// The display's rate, in frames a second.
int DisplayHertz();

} // namespace bench
