// The DPI of a window's monitor, and frames at a DPI.
#include "toolkit/dpi.h"

#include "toolkit/handles.h"

namespace tk {

namespace {

// Functions of newer systems are looked up, so the program still starts on
// older ones, where the system DPI holds for every window.
template <class FunctionPointer>
FunctionPointer Lookup(const wchar_t* dll, const char* name) noexcept
{
    HMODULE module = ::GetModuleHandleW(dll);
    if (!module)
        module = ::LoadLibraryW(dll);
    return module ? reinterpret_cast<FunctionPointer>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)))
                  : nullptr;
}

const DpiPlatform& SystemPlatform() noexcept
{
    static const DpiPlatform platform{
        Lookup<decltype(DpiPlatform::adjustWindowRectExForDpi)>(L"user32.dll", "AdjustWindowRectExForDpi")};
    return platform;
}

const DpiPlatform* g_platform = nullptr;

UINT SystemDpi() noexcept
{
    const WindowDC screen;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

} // namespace

UINT DpiOf(HWND window) noexcept
{
    if (window) {
        // Windows 10 1607 and later.
        using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
        static const auto getDpiForWindow = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
        if (getDpiForWindow) {
            if (const UINT dpi = getDpiForWindow(window); dpi > 0)
                return dpi;
        }
    }
    return SystemDpi();
}

UINT DpiAt(POINT point) noexcept
{
    // Windows 8.1 and later; the effective DPI is the one windows lay out at.
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor = Lookup<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    constexpr int kEffectiveDpi = 0;
    UINT x = 0;
    UINT y = 0;
    if (getDpiForMonitor &&
        SUCCEEDED(getDpiForMonitor(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) &&
        y > 0)
        return y;
    return SystemDpi();
}

RECT OuterForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) noexcept
{
    RECT outer{0, 0, clientWidth, clientHeight};
    // AdjustWindowRectEx gives the frame at the system DPI, whatever the
    // window's: a caption on a monitor of another scale would be off.
    const DpiPlatform& platform = g_platform ? *g_platform : SystemPlatform();
    if (!platform.adjustWindowRectExForDpi || !platform.adjustWindowRectExForDpi(&outer, style, FALSE, exStyle, dpi)) {
        outer = {0, 0, clientWidth, clientHeight};
        ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    }
    ::OffsetRect(&outer, -outer.left, -outer.top);
    return outer;
}

void SetDpiPlatform(const DpiPlatform* platform) noexcept
{
    g_platform = platform;
}

} // namespace tk
