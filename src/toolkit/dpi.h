// Display scaling: pixel constants are written at 96 dpi and every window
// scales them through here, for the DPI of the monitor it is on.
#pragma once

#include <windows.h>

#include <cmath>

namespace tk {

constexpr int kBaseDpi = 96;

// A length written at 96 dpi, for a window at `dpi`, rounded to the nearest pixel.
inline int Scale(int value96, UINT dpi) noexcept
{
    return ::MulDiv(value96, static_cast<int>(dpi), kBaseDpi);
}

// A length in twips, in pixels at `dpi`, with the exact ratio (no integer
// twips-per-pixel), rounded to the nearest pixel.
inline int PixelsFromTwips(int twips, UINT dpi) noexcept
{
    return static_cast<int>(std::lround(twips * static_cast<double>(dpi) / 1440.0));
}

// The DPI a window lays out at: its monitor's, or the system's for no window.
UINT DpiOf(HWND window) noexcept;
// The DPI of the monitor holding a screen point (the nearest one), or the
// system's where the system cannot tell monitors apart.
UINT DpiAt(POINT point) noexcept;

// The outer rectangle, from (0, 0), of a window of these styles whose client
// area has the given size, with the frame the window has at `dpi`.
RECT OuterForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) noexcept;

// The system calls that differ between Windows versions. Tests put their own
// here (Wine here has one DPI for every window); nullptr gives the system's.
struct DpiPlatform {
    // AdjustWindowRectExForDpi, or nullptr for a system without it (before
    // Windows 10 1607), where AdjustWindowRectEx gives the system DPI's frame.
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT);
};
void SetDpiPlatform(const DpiPlatform* platform) noexcept;

} // namespace tk
