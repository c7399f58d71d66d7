// The DPI of a window's monitor.
#include "toolkit/dpi.h"

#include "toolkit/handles.h"

namespace tk {

UINT DpiOf(HWND window) noexcept
{
    if (window) {
        // GetDpiForWindow is Windows 10 1607 and later: looked up, so the
        // program still starts on older systems, where the system DPI holds.
        using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
        static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
        if (getDpiForWindow) {
            if (const UINT dpi = getDpiForWindow(window); dpi > 0)
                return dpi;
        }
    }
    const WindowDC screen;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

} // namespace tk
