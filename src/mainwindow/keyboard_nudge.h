// The keys the main window takes for itself: the arrows move it by one
// physical pixel (ten with Shift) and sample as one drag step does; Ctrl+C
// copies the colour unless a field has a selection of its own to copy; Esc
// closes what the picker opened.
#pragma once

#include "toolkit/form.h"

#include <windows.h>

#include <functional>

// How far an arrow key moves the window; (0, 0) for any other key.
POINT NudgeStep(int keyCode, int shift) noexcept;

// Where a step takes the view-finder's centre: the whole step while the
// point it reaches lies on a monitor, else as far as the edge of the
// monitor the centre is on (or the nearest one, from off every monitor).
POINT NudgedCentre(POINT centre, POINT step);

class KeyboardNudge {
public:
    // What the keys do to the picker, given by the window that takes them.
    struct Actions {
        std::function<POINT()> sampleOffset; // the view-finder's centre from the window's corner
        std::function<bool()> dragging;      // a drag moves the window to the mouse anyway
        std::function<void()> sample;        // one sample, as one drag step takes it
        std::function<void()> copy;          // Ctrl+C with no field selection to copy
        std::function<bool()> escape;        // Esc; true when it closed something
    };

    KeyboardNudge(tk::Form& window, Actions actions);
    KeyboardNudge(const KeyboardNudge&) = delete;
    KeyboardNudge& operator=(const KeyboardNudge&) = delete;

    // True when the key was the picker's to handle (and is handled).
    bool TakeKey(int keyCode, int shift);
    // The window's WM_TIMER; true when the timer was the nudge's.
    bool TimerElapsed(UINT_PTR timer);

private:
    tk::Form& m_window;
    Actions m_actions;
};
