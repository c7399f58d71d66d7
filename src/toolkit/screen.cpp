// Screen metrics in pixels and twips, and the program-wide mouse pointer.
#include "toolkit/screen.h"

#include "toolkit/handles.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>

namespace tk::Screen {

namespace {

MousePointer g_pointer = MousePointer::Default;

struct MonitorEnumeration {
    std::vector<RECT> monitors;
    std::exception_ptr failure;
};
std::function<std::vector<RECT>()> g_monitorSource;

int Dpi(int axis)
{
    const WindowDC screen;
    const int dpi = ::GetDeviceCaps(screen, axis);
    return dpi > 0 ? dpi : 96;
}

int Convert(int value, double numerator, double denominator)
{
    return static_cast<int>(std::lround(value * numerator / denominator));
}

BOOL CALLBACK NoteMonitor(HMONITOR, HDC, LPRECT rect, LPARAM found) noexcept
{
    // Nothing may unwind through the system's enumeration: an allocation
    // that fails ends it, and Monitors() raises the error on our side.
    auto& enumeration = *reinterpret_cast<MonitorEnumeration*>(found);
    try {
        enumeration.monitors.push_back(*rect);
        return TRUE;
    } catch (...) {
        enumeration.failure = std::current_exception();
        return FALSE;
    }
}

bool Inside(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// How far the point lies outside the rectangle, squared; 0 inside.
long long DistanceSquared(const RECT& rect, POINT point)
{
    const long long dx = point.x < rect.left ? rect.left - point.x : point.x >= rect.right ? point.x - rect.right + 1 : 0;
    const long long dy = point.y < rect.top ? rect.top - point.y : point.y >= rect.bottom ? point.y - rect.bottom + 1 : 0;
    return dx * dx + dy * dy;
}

int TwipsPerPixel(int axis)
{
    const WindowDC screen;
    const int dpi = ::GetDeviceCaps(screen, axis);
    return dpi > 0 ? 1440 / dpi : 15;
}

} // namespace

int TwipsPerPixelX() { return TwipsPerPixel(LOGPIXELSX); }
int TwipsPerPixelY() { return TwipsPerPixel(LOGPIXELSY); }
int WidthPixels() { return ::GetSystemMetrics(SM_CXSCREEN); }
int HeightPixels() { return ::GetSystemMetrics(SM_CYSCREEN); }
int PixelsFromTwipsX(int twips) { return Convert(twips, Dpi(LOGPIXELSX), 1440); }
int PixelsFromTwipsY(int twips) { return Convert(twips, Dpi(LOGPIXELSY), 1440); }
int TwipsFromPixelsX(int pixels) { return Convert(pixels, 1440, Dpi(LOGPIXELSX)); }
int TwipsFromPixelsY(int pixels) { return Convert(pixels, 1440, Dpi(LOGPIXELSY)); }

std::vector<RECT> Monitors()
{
    if (g_monitorSource)
        return g_monitorSource();
    MonitorEnumeration enumeration;
    ::EnumDisplayMonitors(nullptr, nullptr, &NoteMonitor, reinterpret_cast<LPARAM>(&enumeration));
    if (enumeration.failure)
        std::rethrow_exception(enumeration.failure);
    return std::move(enumeration.monitors);
}

bool OnAnyMonitor(POINT point)
{
    // The system's own answer is cheap enough for every step of a drag.
    if (!g_monitorSource)
        return ::MonitorFromPoint(point, MONITOR_DEFAULTTONULL) != nullptr;
    const std::vector<RECT> monitors = g_monitorSource();
    return std::any_of(monitors.begin(), monitors.end(), [point](const RECT& m) { return Inside(m, point); });
}

RECT MonitorAt(POINT point)
{
    if (!g_monitorSource) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (::GetMonitorInfoW(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info))
            return info.rcMonitor;
        return {0, 0, WidthPixels(), HeightPixels()};
    }
    RECT nearest{0, 0, WidthPixels(), HeightPixels()};
    long long best = LLONG_MAX;
    for (const RECT& monitor : g_monitorSource())
        if (const long long d = DistanceSquared(monitor, point); d < best) {
            best = d;
            nearest = monitor;
        }
    return nearest;
}

RECT WorkAreaAt(POINT point)
{
    if (g_monitorSource)
        return MonitorAt(point);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcWork;
    RECT work{0, 0, WidthPixels(), HeightPixels()};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

POINT KeepOnMonitor(POINT topLeft, SIZE size, const RECT& monitor)
{
    POINT placed = topLeft;
    placed.x = std::max(std::min(placed.x, monitor.right - size.cx), monitor.left);
    placed.y = std::max(std::min(placed.y, monitor.bottom - size.cy), monitor.top);
    return placed;
}

void SetMonitorSource(std::function<std::vector<RECT>()> source)
{
    g_monitorSource = std::move(source);
}

int Width() { return WidthPixels() * TwipsPerPixelX(); }
int Height() { return HeightPixels() * TwipsPerPixelY(); }

unsigned long FrameMilliseconds()
{
    const WindowDC screen;
    const int hertz = ::GetDeviceCaps(screen, VREFRESH);
    // 0 and 1 stand for the hardware's default rate, which is not told.
    return hertz > 1 ? static_cast<unsigned long>(1000 / hertz) : 16;
}

void SetMousePointer(MousePointer pointer)
{
    g_pointer = pointer;
    // Show the change at once, without waiting for the mouse to move.
    if (pointer == MousePointer::Busy) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const HWND under = ::WindowFromPoint(cursor);
    if (under && ::GetWindowThreadProcessId(under, nullptr) == ::GetCurrentThreadId()) {
        // Ask our window under the mouse for its cursor: no WM_SETCURSOR
        // comes by itself while a press (a slider's drag) holds the capture.
        const LRESULT hit = ::SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y));
        ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                       MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
    } else {
        ::SetCursorPos(cursor.x, cursor.y); // the window there sets its own cursor
    }
}

MousePointer GetMousePointer()
{
    return g_pointer;
}

} // namespace tk::Screen
