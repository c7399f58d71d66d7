// Cutting a window to the outline of its skin picture.
#pragma once

#include "toolkit/handles.h"

#include <cstdint>
#include <string>

namespace tk {
class PictureBox;
class Window;
class Container;
} // namespace tk

// The union of one rectangle per run of non-key pixels, row by row; null
// when every pixel has the key colour (the pixel at keyX, keyY). The number
// of runs merged goes to runCount when one is given.
tk::unique_hrgn MakeRegionFromPicture(tk::PictureBox& picture, std::int32_t keyX, std::int32_t keyY,
                                      std::int32_t* runCount = nullptr);
// The same region from one GetPixel per pixel; kept to measure the bitmap read against.
tk::unique_hrgn MakeRegionFromPicturePerPixel(tk::PictureBox& picture, std::int32_t keyX, std::int32_t keyY,
                                              std::int32_t* runCount = nullptr);

// Prepares the picture box (pixels, persistent image, sized to its picture,
// no border), gives the window the skin's region and, for alpha 1..255, makes
// it translucent. An empty or missing file keeps the current picture.
void ApplySkin(tk::Container& control, const tk::Window& window, std::int16_t alpha, const std::wstring& picturePath,
               std::int32_t keyX, std::int32_t keyY);
