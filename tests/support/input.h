// Real input through the system's queue: SendMouse(flags, point) puts the
// pointer on a screen point and sends the flags there (SendMouse(flags) at the
// pointer's place); MoveMouse, Press, Click (then pumps) and ClickNoPump (for
// timer steps inside a modal loop) build on it, PressKey presses and releases
// a key, PressChord a key with modifiers (Ctrl+C). DragFromThread drives a press-move-release from a second thread
// while this one pumps, for presses that start a modal loop.
#pragma once

#include "support/pump.h"

#include <windows.h>

#include <atomic>
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

inline void Press(POINT screen, DWORD down = MOUSEEVENTF_LEFTDOWN)
{
    MoveMouse(screen);
    Pump(20);
    SendMouse(down, screen);
}

// A click, then 60 ms of pumping so its messages have been handled.
inline void Click(POINT screen, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP)
{
    Press(screen, down);
    SendMouse(up, screen);
    Pump(60);
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

// A press, a path in ten steps and a release given by a second thread while
// this one pumps: the press may start a modal loop (the system move, a thumb
// drag, the picker's drag). `during` runs on that thread while the button is
// held at `to`. A loop still running a second after the release is ended by
// `rescue` (by default another left release) and the drag reported as stuck
// (false), so a fault fails within its own bound instead of hanging.
inline bool DragFromThread(POINT from, POINT to, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP,
                           const std::function<void()>& during = {}, const std::function<void()>& rescue = {})
{
    std::atomic<bool> released{false};
    std::atomic<bool> returned{false};
    std::atomic<bool> stuck{false};
    std::thread mouse([&] {
        SendMouse(0, from);
        ::Sleep(50);
        SendMouse(down, from);
        for (int step = 1; step <= 10; ++step) {
            ::Sleep(25);
            SendMouse(0, {from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10});
        }
        ::Sleep(80);
        if (during)
            during();
        SendMouse(up, to);
        released = true;
        for (int waited = 0; !returned && waited < 1000; waited += 10)
            ::Sleep(10);
        if (!returned) {
            stuck = true;
            if (rescue)
                rescue();
            else
                SendMouse(MOUSEEVENTF_LEFTUP, to);
        }
    });
    PumpUntil([&] { return released.load(); }, 60000);
    returned = true;
    mouse.join();
    Pump(100);
    return !stuck;
}

} // namespace tktest
