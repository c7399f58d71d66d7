// One copy of the whole square from the screen into a DIB, never a read per pixel.
#include "colour/screen_square.h"

#include "colour/mouse_function.h"
#include "toolkit/handles.h"
#include "toolkit/screen.h"

#include <vector>

#include <windows.h>

ColorValue GetScreenSquare(std::int32_t x, std::int32_t y, int side, SquareReduction reduction)
{
    if (side <= 1)
        return GetScreenPixel(x, y);
    const int left = x - side / 2;
    const int top = y - side / 2;
    const std::vector<RECT> monitors = tk::Screen::Monitors();
    std::vector<ColorValue> pixels(static_cast<std::size_t>(side) * side, -1);
    std::vector<bool> onMonitor(pixels.size());
    bool anyOnMonitor = false;
    for (int row = 0; row < side; ++row)
        for (int column = 0; column < side; ++column) {
            const POINT point{left + column, top + row};
            for (const RECT& monitor : monitors)
                if (::PtInRect(&monitor, point)) {
                    onMonitor[static_cast<std::size_t>(row) * side + column] = anyOnMonitor = true;
                    break;
                }
        }
    if (!anyOnMonitor)
        return -1;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const tk::unique_hbitmap square(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const tk::unique_hdc memory(::CreateCompatibleDC(nullptr));
    const tk::WindowDC screen; // fresh for every sample, as a pixel read's is
    if (!square || !memory || !screen.get())
        return -1;
    // Only the part on the virtual screen is copied: a copy reaching past
    // its edge may come back blank altogether.
    const RECT wanted{left, top, left + side, top + side};
    const RECT desktop{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                       ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                       ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT copied{};
    if (!::IntersectRect(&copied, &wanted, &desktop))
        return -1;
    {
        const tk::SelectGuard select(memory.get(), square.get());
        if (!::BitBlt(memory.get(), copied.left - left, copied.top - top, copied.right - copied.left,
                      copied.bottom - copied.top, screen.get(), copied.left, copied.top, SRCCOPY))
            return -1;
        ::GdiFlush();
    }
    const auto* dib = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        if (onMonitor[i]) {
            const std::uint32_t p = dib[i]; // 0x00RRGGBB
            pixels[i] = static_cast<ColorValue>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
        }
    return ReduceSquare(pixels, side, reduction);
}
