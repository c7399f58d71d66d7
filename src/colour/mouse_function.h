// Reading the cursor and a screen pixel, and flood-filling a picture box:
// the operating-system primitives of the sampling loop.
#pragma once

#include "colour/colour.h"

#include <cstdint>
#include <optional>

#include <windows.h>

namespace tk { class PictureBox; }

std::int32_t GetCursorX();
std::int32_t GetCursorY();

// The colour at a screen point, read through a fresh display DC; -1 only off
// every monitor (or where no display context can be had at all).
ColorValue GetScreenPixel(std::int32_t x, std::int32_t y);

// What a screen read is made of. Tests put their own here to produce what no
// display here does (a refused legacy context, a primary-only one); null
// gives the system's back.
struct ScreenReadPlatform {
    HDC (*openLegacy)();       // the "DISPLAY", "0", "0", zeroed device mode context
    HDC (*openWholeDesktop)(); // CreateDCA("DISPLAY", nullptr, nullptr, nullptr)
    COLORREF (*readPixel)(HDC dc, int x, int y);
};
void SetScreenReadPlatform(const ScreenReadPlatform* platform);

// Fills from (x, y), given in the picture's scale units, with the colour; with
// no border colour the fill spreads over the colour found at the point. Never fails.
void FloodFillPicture(tk::PictureBox& picture, std::int32_t x, std::int32_t y, ColorValue color,
                      std::optional<ColorValue> borderColor = std::nullopt);
