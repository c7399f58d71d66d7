// The screen in the units the windows think in: pixels and twips per axis,
// and the program-wide mouse pointer.
#pragma once

#include <windows.h>

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
// How long the display shows one frame, in whole milliseconds (16 at 60 Hz).
unsigned long FrameMilliseconds();

enum class MousePointer { Default, Busy };
// The program-wide pointer: while Busy, every window of the program shows the hourglass.
void SetMousePointer(MousePointer pointer);
MousePointer GetMousePointer();
} // namespace Screen

} // namespace tk
