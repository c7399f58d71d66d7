// Cursor and screen-pixel reads, and the swatch's flood fill.
#include "colour/mouse_function.h"

#include "toolkit/handles.h"
#include "toolkit/picturebox.h"
#include "toolkit/screen.h"

#include <cmath>

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

HDC OpenLegacyDisplay()
{
    return ::CreateDCA("DISPLAY", "0", "0", &g_zeroDevMode);
}

// The documented whole-desktop context: every monitor, whatever the version.
HDC OpenWholeDesktop()
{
    return ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
}

COLORREF ReadPixel(HDC dc, int x, int y)
{
    return ::GetPixel(dc, x, y);
}

constexpr ScreenReadPlatform kSystemScreenRead{&OpenLegacyDisplay, &OpenWholeDesktop, &ReadPixel};
ScreenReadPlatform g_screenRead = kSystemScreenRead;

ColorValue ReadThrough(HDC (*open)(), std::int32_t x, std::int32_t y)
{
    const tk::unique_hdc display(open());
    if (!display)
        return -1;
    return static_cast<ColorValue>(g_screenRead.readPixel(display.get(), x, y));
}
} // namespace

void SetScreenReadPlatform(const ScreenReadPlatform* platform)
{
    g_screenRead = platform ? *platform : kSystemScreenRead;
}

ColorValue GetScreenPixel(std::int32_t x, std::int32_t y)
{
    // Off every monitor there is no pixel, whatever a display context answers
    // there (Wine gives 0, Windows -1).
    if (!tk::Screen::OnAnyMonitor({x, y}))
        return -1;
    // The legacy arguments first, as ever. A system that refuses them, or
    // takes them for the primary display only, still has the documented
    // whole-desktop context; a fresh one per read all the same.
    const ColorValue color = ReadThrough(g_screenRead.openLegacy, x, y);
    if (color != -1)
        return color;
    return ReadThrough(g_screenRead.openWholeDesktop, x, y);
}

namespace {
// Each step of the fill runs on its own: a failing step is skipped and the
// next one still runs, so the caller never sees an error from here.
template <class Step>
void IgnoringErrors(Step&& step) noexcept
{
    try {
        step();
    } catch (...) {
    }
}
} // namespace

void FloodFillPicture(tk::PictureBox& picture, std::int32_t x, std::int32_t y, ColorValue color,
                      std::optional<ColorValue> borderColor)
{
    int pixelX = 0;
    int pixelY = 0;
    IgnoringErrors([&] {
        pixelX = static_cast<int>(std::nearbyint(picture.ScaleX(x, picture.ScaleMode(), tk::kScalePixels)));
    });
    IgnoringErrors([&] {
        pixelY = static_cast<int>(std::nearbyint(picture.ScaleY(y, picture.ScaleMode(), tk::kScalePixels)));
    });

    const int savedStyle = picture.FillStyle();
    const COLORREF savedColor = picture.FillColor();
    IgnoringErrors([&] { picture.SetFillStyle(tk::kFillSolid); });
    bool colorTaken = false;
    IgnoringErrors([&] {
        picture.SetFillColor(color);
        colorTaken = true;
    });

    // A colour the picture refused (-1 from an unreadable pixel) is no fill
    // colour: the fill would paint with the brush of the colour before, so
    // the swatch is left as it is instead.
    if (colorTaken) {
        IgnoringErrors([&] {
            if (borderColor) {
                ::ExtFloodFill(picture.hdc(), pixelX, pixelY, static_cast<COLORREF>(*borderColor), FLOODFILLBORDER);
            } else {
                const long surface = picture.Point(x, y);
                ::ExtFloodFill(picture.hdc(), pixelX, pixelY, static_cast<COLORREF>(surface), FLOODFILLSURFACE);
            }
        });
    }

    IgnoringErrors([&] { picture.SetFillStyle(savedStyle); });
    IgnoringErrors([&] { picture.SetFillColor(static_cast<long>(savedColor)); });
}
