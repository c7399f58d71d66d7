// The program's pictures, each drawn from code so they can be regenerated.
#pragma once

#include "raster.h"

#include <string>

namespace art {

// The maker's address as printed on the skin, under the main window's link label.
inline const std::string kSkinAddress = "www.quenmarlo.it";

// A length written at 96 dpi, at another DPI: rounded as the program rounds it.
int ScaleLength(int value96, int dpi);
// The main window's skin at a DPI; 96 is the committed picture.
RgbImage DrawSkin(int dpi = 96);

MonoArt OpenHandArt();
MonoArt ClosedHandArt();
MonoArt PointingHandArt();

// The application icon's picture at 32 or 16 pixels, straight alpha.
RgbaImage DrawAppIcon(int size);

// The Help window's light bulb on the tool-tip background colour below.
inline constexpr Rgb kBulbBackground{255, 255, 225};
RgbImage DrawBulb(int dpi = 96);

} // namespace art
