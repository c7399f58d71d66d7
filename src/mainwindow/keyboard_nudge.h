// The keys the main window takes for itself: the arrows move it by one
// physical pixel (ten with Shift) and sample as one drag step does; Ctrl+C
// copies the colour unless a field has a selection of its own to copy.
#pragma once

#include <windows.h>

class FrmMain;

// How far an arrow key moves the window; (0, 0) for any other key.
POINT NudgeStep(int keyCode, int shift) noexcept;

// True when the key was the main window's to handle (and is handled).
bool TakeMainWindowKey(FrmMain& main, int keyCode, int shift);
