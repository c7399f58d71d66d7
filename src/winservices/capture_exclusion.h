// Leaving a window out of screen copies, on the systems where that is what
// the request does.
#pragma once

#include <windows.h>

// The system calls behind it. Tests put their own here (Wine here neither
// reports a Windows build nor leaves windows out of copies); nullptr gives
// the system's back.
struct CapturePlatform {
    // The system's build number (19041 for Windows 10 2004).
    DWORD (*buildNumber)() noexcept;
    BOOL(WINAPI* setWindowDisplayAffinity)(HWND, DWORD);
};
void SetCapturePlatform(const CapturePlatform* platform) noexcept;

// The build number from the kernel: GetVersionEx answers only what the
// program's manifest lets it know.
DWORD SystemBuildNumber() noexcept;

// From build 19041 on, leaves the window out of screen copies and shares
// (exclude) or takes it back in. Before, the same request shows the window
// black in every copy instead, so nothing is asked. True if it was asked.
bool ExcludeFromCapture(HWND window, bool exclude) noexcept;
