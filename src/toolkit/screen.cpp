// Screen metrics in pixels and twips, and the program-wide mouse pointer.
#include "toolkit/screen.h"

#include "toolkit/handles.h"

namespace tk::Screen {

namespace {

MousePointer g_pointer = MousePointer::Default;

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
