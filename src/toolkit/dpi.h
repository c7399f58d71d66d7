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

} // namespace tk
