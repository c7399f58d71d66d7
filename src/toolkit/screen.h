// The screen in the units the windows think in: pixels and twips per axis,
// and the program-wide mouse pointer.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace tk {

namespace Screen {
// Twips per pixel from the screen's real DPI (15 at 96 dpi).
int TwipsPerPixelX();
int TwipsPerPixelY();
// Primary screen size in twips.
int Width();
int Height();
int WidthPixels();
int HeightPixels();
// Twips and pixels at the screen's exact DPI: no whole twips-per-pixel
// factor, which at 175 % and 200 % would be off by several per cent.
int PixelsFromTwipsX(int twips);
int PixelsFromTwipsY(int twips);
int TwipsFromPixelsX(int pixels);
int TwipsFromPixelsY(int pixels);

// The monitors on the virtual screen, in pixels. The primary's top-left
// corner is (0, 0): a monitor left of or above it has negative coordinates.
std::vector<RECT> Monitors();
bool OnAnyMonitor(POINT point);
// The monitor holding the point, else the nearest one.
RECT MonitorAt(POINT point);
// The same monitor's work area, without the taskbar (a monitor put in by a
// test is all work area).
RECT WorkAreaAt(POINT point);
// Where a box of this size goes when its corner is asked for at topLeft:
// there, moved back only as far as it takes to stay on the monitor.
POINT KeepOnMonitor(POINT topLeft, SIZE size, const RECT& monitor);
// Tests give monitors of their own here (Wine here shows one monitor);
// an empty function gives the system's back.
void SetMonitorSource(std::function<std::vector<RECT>()> source);
// How long the display shows one frame, in whole milliseconds (16 at 60 Hz).
unsigned long FrameMilliseconds();

enum class MousePointer { Default, Busy };
// The program-wide pointer: while Busy, every window of the program shows the hourglass.
void SetMousePointer(MousePointer pointer);
MousePointer GetMousePointer();
} // namespace Screen

} // namespace tk
