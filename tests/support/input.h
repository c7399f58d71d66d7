// Real input through the system's queue: SendMouse(flags, point) puts the
// pointer on a screen point and sends the flags there (SendMouse(flags) at the
// pointer's place); MoveMouse, Press, Hover, Release, TurnWheel and Click
// (the last four pumped until handled) and ClickNoPump (for timer steps
// inside a modal loop) build on it, PressKey presses and releases a key,
// PressChord a key with modifiers (Ctrl+C), Keystroke the same pumped until
// handled. DragFromThread drives a press-move-release from a second thread
// while this one pumps, for presses that start a modal loop.
#pragma once

#include "support/pump.h"

#include <windows.h>

#include <atomic>
#include <climits>
#include <functional>
#include <initializer_list>
#include <thread>
#include <vector>

namespace tktest {

// Absolute coordinates run 0..65535 over the primary screen, and the system
// maps them back with x * width / 65536, rounding down: the smallest value
// that maps back to the pixel itself is (x * 65536 + width - 1) / width.
inline LONG AbsoluteCoordinate(LONG pixel, int extent)
{
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

inline void SendMouse(DWORD flags, POINT screen)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = AbsoluteCoordinate(screen.x, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = AbsoluteCoordinate(screen.y, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
}

// Buttons only, wherever the pointer is now.
inline void SendMouse(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

// The cursor is placed first, so no relative motion (which the system
// accelerates) is involved, and a move is sent so windows see it.
inline void MoveMouse(POINT screen)
{
    ::SetCursorPos(screen.x, screen.y);
    SendMouse(0, screen);
}

inline bool CursorAt(POINT point)
{
    POINT cursor{};
    return ::GetCursorPos(&cursor) && cursor.x == point.x && cursor.y == point.y;
}

// Whether a window's outer top-left corner is at a screen point (from any thread).
inline bool WindowAt(HWND window, POINT corner)
{
    RECT outer{};
    return ::GetWindowRect(window, &outer) && outer.left == corner.x && outer.top == corner.y;
}

inline void Press(POINT screen, DWORD down = MOUSEEVENTF_LEFTDOWN)
{
    MoveMouse(screen);
    PumpUntil([&] { return CursorAt(screen); });
    SendMouse(down, screen);
}

namespace detail {
inline int& ReleasesTaken()
{
    static int taken = 0;
    return taken;
}
inline POINT& LastMoveTaken()
{
    static POINT taken{};
    return taken;
}
inline int& WheelsTaken()
{
    static int taken = 0;
    return taken;
}
// Sees every message this thread takes from its queue, whichever loop takes it.
inline LRESULT CALLBACK WatchInput(int code, WPARAM removal, LPARAM message)
{
    if (code == HC_ACTION && removal == PM_REMOVE) {
        const MSG& taken = *reinterpret_cast<const MSG*>(message);
        switch (taken.message) {
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
        case WM_NCLBUTTONUP: case WM_NCRBUTTONUP: case WM_NCMBUTTONUP:
        case WM_KEYUP: case WM_SYSKEYUP:
            ++ReleasesTaken();
            break;
        case WM_MOUSEMOVE: case WM_NCMOUSEMOVE:
            LastMoveTaken() = taken.pt;
            break;
        case WM_MOUSEWHEEL:
            ++WheelsTaken();
            break;
        default:
            break;
        }
    }
    return ::CallNextHookEx(nullptr, code, removal, message);
}
// Sends input, then pumps until `handled` holds for what this thread has
// taken from its queue and handled: input comes back from X only after a
// while, and a slow machine must not outrun it.
inline void SendAndHandle(const std::function<void()>& send, const std::function<bool()>& handled)
{
    const HHOOK hook = ::SetWindowsHookExW(WH_GETMESSAGE, &WatchInput, nullptr, ::GetCurrentThreadId());
    send();
    PumpUntil(handled);
    ::UnhookWindowsHookEx(hook);
}
// The same, until `releases` more button or key releases have been handled.
inline void SendAndHandle(const std::function<void()>& send, int releases)
{
    const int before = ReleasesTaken();
    SendAndHandle(send, [&] { return ReleasesTaken() >= before + releases; });
}
} // namespace detail

// The pointer moved onto a screen point, pumped until the move there has
// been handled (and with it the cursor the window shows there).
inline void Hover(POINT screen)
{
    detail::LastMoveTaken() = {LONG_MIN, LONG_MIN};
    detail::SendAndHandle([&] { MoveMouse(screen); }, [&] {
        const POINT taken = detail::LastMoveTaken();
        return taken.x == screen.x && taken.y == screen.y;
    });
}

// One notch of the wheel (away from the user: positive), pumped until handled.
inline void TurnWheel(int notches = 1)
{
    const int before = detail::WheelsTaken();
    detail::SendAndHandle([&] {
        INPUT wheel{};
        wheel.type = INPUT_MOUSE;
        wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
        wheel.mi.mouseData = static_cast<DWORD>(notches * WHEEL_DELTA);
        ::SendInput(1, &wheel, sizeof wheel);
    }, [&] { return detail::WheelsTaken() > before; });
}

// A button let go wherever the pointer is, pumped until handled.
inline void Release(DWORD up = MOUSEEVENTF_LEFTUP)
{
    detail::SendAndHandle([&] { SendMouse(up); }, 1);
}

// A click, pumped until it has been handled.
inline void Click(POINT screen, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP)
{
    detail::SendAndHandle([&] {
        Press(screen, down);
        SendMouse(up, screen);
    }, 1);
}

// A click that does not pump, for timer steps running inside a modal loop.
inline void ClickNoPump(POINT screen)
{
    ::SetCursorPos(screen.x, screen.y);
    SendMouse(0, screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
    SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

inline void PressKey(WORD key)
{
    INPUT stroke[2]{};
    stroke[0].type = stroke[1].type = INPUT_KEYBOARD;
    stroke[0].ki.wVk = stroke[1].ki.wVk = key;
    stroke[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, stroke, sizeof stroke[0]);
}

// Keys held down in order and let go in reverse, as fingers do: the
// modifiers first, then the key ({VK_CONTROL, 'C'}).
inline void PressChord(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> strokes;
    for (WORD key : keys) {
        INPUT stroke{};
        stroke.type = INPUT_KEYBOARD;
        stroke.ki.wVk = key;
        strokes.push_back(stroke);
    }
    for (auto key = keys.end(); key != keys.begin();) {
        INPUT stroke{};
        stroke.type = INPUT_KEYBOARD;
        stroke.ki.wVk = *--key;
        stroke.ki.dwFlags = KEYEVENTF_KEYUP;
        strokes.push_back(stroke);
    }
    ::SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
}

// How DragFromThread presses and lets go, and what it waits for on the way.
struct DragHow {
    DWORD down = MOUSEEVENTF_LEFTDOWN;
    DWORD up = MOUSEEVENTF_LEFTUP;
    // Holds once the press has been taken: the hand moves on only then, as
    // a handler that reads the cursor would otherwise find it already on
    // its way (the grip would slip by a step on a loaded machine).
    std::function<bool()> grabbed{};
    // Holds once what the drag moves has followed the pointer to the end
    // point: the button is let go only then, however slow the machine.
    std::function<bool()> arrived{};
    // Runs on the mouse thread, the button held at the end point.
    std::function<void()> during{};
    // Ends a loop still running after the release (by default another left release).
    std::function<void()> rescue{};
};

// A chord pressed and let go, pumped until every key of it has been handled.
inline void Keystroke(std::initializer_list<WORD> keys)
{
    detail::SendAndHandle([&] { PressChord(keys); }, static_cast<int>(keys.size()));
}

// A press, a path in ten steps and a release given by a second thread while
// this one pumps: the press may start a modal loop (the system move, a thumb
// drag, the picker's drag). The steps are paced 25 ms apart so that the loop
// sees the way and not only its end. False when what the drag moves never
// arrived, or when the loop still ran 10 s after the release: `rescue` has
// then ended it, so a fault fails within its own bound instead of hanging.
inline bool DragFromThread(POINT from, POINT to, const DragHow& how = {})
{
    std::atomic<bool> released{false};
    std::atomic<bool> returned{false};
    std::atomic<bool> stuck{false};
    std::atomic<bool> reached{true};
    std::thread mouse([&] {
        MoveMouse(from);
        WaitUntil([&] { return CursorAt(from); });
        SendMouse(how.down, from);
        const bool grabbed = !how.grabbed || WaitUntil(how.grabbed, 10000);
        for (int step = 1; step <= 10; ++step) {
            ::Sleep(25);
            MoveMouse({from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
        }
        int polls = 0;
        reached = grabbed && WaitUntil([&] {
            if (CursorAt(to) && (!how.arrived || how.arrived()))
                return true;
            // Should the pointer have been put back on the way (a late
            // motion of X's own), the hand moves to the end again.
            if (++polls % 40 == 0)
                MoveMouse(to);
            return false;
        }, 10000);
        if (how.during)
            how.during();
        SendMouse(how.up, to);
        released = true;
        if (!WaitUntil([&] { return returned.load(); }, 10000)) {
            stuck = true;
            if (how.rescue)
                how.rescue();
            else
                SendMouse(MOUSEEVENTF_LEFTUP, to);
        }
    });
    PumpUntil([&] { return released.load(); }, 120000);
    returned = true;
    mouse.join();
    tk::DoEvents();
    return reached && !stuck;
}

} // namespace tktest
