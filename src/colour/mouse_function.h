// Reading the cursor and a screen pixel, and flood-filling a picture box:
// the operating-system primitives of the sampling loop.
#pragma once

#include "colour/colour.h"

#include <cstdint>
#include <optional>

namespace tk { class PictureBox; }

std::int32_t GetCursorX();
std::int32_t GetCursorY();

// The colour at a screen point, read through a fresh display DC; -1 where unreadable.
ColorValue GetScreenPixel(std::int32_t x, std::int32_t y);

// Fills from (x, y), given in the picture's scale units, with the colour; with
// no border colour the fill spreads over the colour found at the point. Never fails.
void FloodFillPicture(tk::PictureBox& picture, std::int32_t x, std::int32_t y, ColorValue color,
                      std::optional<ColorValue> borderColor = std::nullopt);
