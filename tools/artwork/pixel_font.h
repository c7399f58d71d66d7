// Two tiny hand-drawn bitmap fonts: a bold one for the title and a small one
// for the web address. Only the letters the skin needs are drawn.
#pragma once

#include "raster.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace art {

// One glyph as written in the source: its character and its rows. The rows
// stay string literals (constant data) until the font is built.
struct GlyphArt {
    char c;
    std::initializer_list<const char*> rows;
};

class PixelFont {
public:
    PixelFont(int height, int spacing, std::initializer_list<GlyphArt> glyphs);

    int Height() const noexcept { return m_height; }
    int TextWidth(const std::string& text) const;

    // colourOfRow gives the ink for each glyph row, so text can carry a gradient.
    void Draw(RgbImage& image, int left, int top, const std::string& text,
              const std::function<Rgb(int row)>& colourOfRow) const;

private:
    const std::vector<std::string>& Glyph(char c) const;

    int m_height;
    int m_spacing;
    std::map<char, std::vector<std::string>> m_glyphs;
};

const PixelFont& TitleFont();
const PixelFont& AddressFont();

} // namespace art
