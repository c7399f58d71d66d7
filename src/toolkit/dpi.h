// Display scaling: pixel constants are written at 96 dpi and every window
// scales them through here, for the DPI of the monitor it is on.
#pragma once

#include <windows.h>

namespace tk {

constexpr int kBaseDpi = 96;

// A length written at 96 dpi, for a window at `dpi`, rounded to the nearest pixel.
inline int Scale(int value96, UINT dpi) noexcept
{
    return ::MulDiv(value96, static_cast<int>(dpi), kBaseDpi);
}

// The DPI a window lays out at: its monitor's, or the system's for no window.
UINT DpiOf(HWND window) noexcept;

} // namespace tk
