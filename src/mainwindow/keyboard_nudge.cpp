// Keyboard control of the main window.
#include "mainwindow/keyboard_nudge.h"

#include "toolkit/screen.h"
#include "toolkit/syscontrols.h"

#include <algorithm>

namespace {

constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;
constexpr int kLongStep = 10;
constexpr UINT_PTR kSettleTimer = 0x4E55; // "NU"
constexpr UINT kSettleDelay = 50;       // ms

// Whether the field with the focus has text selected: then Ctrl+C is its own.
bool FocusHasSelection()
{
    const HWND focus = ::GetFocus();
    if (!dynamic_cast<tk::TextBox*>(tk::Window::FromHandle(focus)))
        return false;
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end;
}

} // namespace

POINT NudgeStep(int keyCode, int shift) noexcept
{
    if (shift & (kCtrlMask | kAltMask))
        return {0, 0};
    const int step = (shift & kShiftMask) ? kLongStep : 1;
    switch (keyCode) {
    case VK_LEFT:
        return {-step, 0};
    case VK_RIGHT:
        return {step, 0};
    case VK_UP:
        return {0, -step};
    case VK_DOWN:
        return {0, step};
    default:
        return {0, 0};
    }
}

POINT NudgedCentre(POINT centre, POINT step)
{
    const POINT target{centre.x + step.x, centre.y + step.y};
    if (tk::Screen::OnAnyMonitor(target))
        return target;
    // Off every monitor the view-finder would read nothing: it stops at the
    // last pixel of the monitor it is leaving.
    const RECT monitor = tk::Screen::MonitorAt(centre);
    return {std::clamp(target.x, monitor.left, monitor.right - 1), std::clamp(target.y, monitor.top, monitor.bottom - 1)};
}

KeyboardNudge::KeyboardNudge(tk::Form& window, Actions actions) : m_window(window), m_actions(std::move(actions)) {}

bool KeyboardNudge::TakeKey(int keyCode, int shift)
{
    const POINT step = NudgeStep(keyCode, shift);
    if (step.x != 0 || step.y != 0) {
        // A drag in progress moves the window to the mouse anyway.
        if (!m_actions.dragging()) {
            const POINT corner = m_window.PositionPixels();
            const POINT offset = m_actions.sampleOffset();
            const POINT centre = NudgedCentre({corner.x + offset.x, corner.y + offset.y}, step);
            m_window.MovePixels(centre.x - offset.x, centre.y - offset.y);
            m_actions.sample();
            // A drag goes on sampling after each step; a nudge samples once
            // more when the screen has settled, as a drag held still would.
            // (Without a compositor the pixels the window uncovered are
            // painted only after its owner has had its expose.)
            ::SetTimer(m_window.hWnd(), kSettleTimer, kSettleDelay, nullptr);
        }
        return true;
    }
    if (keyCode == 'C' && (shift & (kCtrlMask | kAltMask)) == kCtrlMask) {
        if (FocusHasSelection())
            return false; // the field copies its selection, as ever
        m_actions.copy();
        return true;
    }
    if (keyCode == VK_ESCAPE && shift == 0)
        return m_actions.escape();
    return false;
}

bool KeyboardNudge::TimerElapsed(UINT_PTR timer)
{
    if (timer != kSettleTimer)
        return false;
    ::KillTimer(m_window.hWnd(), timer);
    m_actions.sample();
    return true;
}
