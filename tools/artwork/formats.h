// Byte-exact writers for the Windows picture formats the resources use.
#pragma once

#include "raster.h"

#include <cstdint>
#include <vector>

namespace art {

using Bytes = std::vector<std::uint8_t>;

Bytes EncodeBmp24(const RgbImage& image);

// A 32 x 32 monochrome cursor with its AND mask.
Bytes EncodeCursor(const MonoArt& art, int hotspotX, int hotspotY);

// One image of an icon as it sits in a .ico file and in an RT_ICON
// resource: BITMAPINFOHEADER (double height), palette, XOR bits, AND mask.
struct IconImage {
    int size = 0;
    int bitCount = 0;
    Bytes dib;
};

IconImage EncodeIconIndexed(const RgbaImage& picture, const std::vector<Rgb>& palette, int bitCount);
IconImage EncodeIcon32(const RgbaImage& picture);

Bytes EncodeIco(const std::vector<IconImage>& images);

// The RT_GROUP_ICON directory naming the images by resource id.
Bytes EncodeIconGroup(const std::vector<IconImage>& images, int firstId);

// Index of the palette entry closest to a colour (weighted for the eye).
std::size_t NearestEntry(const std::vector<Rgb>& palette, Rgb colour);

} // namespace art
