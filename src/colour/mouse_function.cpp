// Cursor and screen-pixel reads, and the swatch's flood fill.
#include "colour/mouse_function.h"

#include "toolkit/handles.h"

#include <windows.h>

std::int32_t GetCursorX()
{
    POINT point{0, 0};
    ::GetCursorPos(&point);
    return point.x;
}

std::int32_t GetCursorY()
{
    POINT point{0, 0};
    ::GetCursorPos(&point);
    return point.y;
}

namespace {
// Never filled in: the display DC is opened with an all-zero device mode.
DEVMODEA g_zeroDevMode{};
} // namespace

ColorValue GetScreenPixel(std::int32_t x, std::int32_t y)
{
    const tk::unique_hdc display(::CreateDCA("DISPLAY", "0", "0", &g_zeroDevMode));
    return static_cast<ColorValue>(::GetPixel(display.get(), x, y));
}
