// Glyphs are rows of '#' (ink) and '.' (none), all rows of one glyph equally wide.
#include "pixel_font.h"

namespace art {

// The glyphs are handed over as literals and copied here in one loop: written
// as a map of string vectors, each font became several kilobytes of code that
// built every row in place.
PixelFont::PixelFont(int height, int spacing, std::initializer_list<GlyphArt> glyphs)
    : m_height(height), m_spacing(spacing)
{
    for (const GlyphArt& glyph : glyphs) {
        const std::vector<std::string> rows(glyph.rows.begin(), glyph.rows.end());
        if (static_cast<int>(rows.size()) != height)
            throw ArtError(std::string("glyph '") + glyph.c + "' has the wrong height");
        for (const std::string& row : rows)
            if (row.size() != rows.front().size())
                throw ArtError(std::string("glyph '") + glyph.c + "' is ragged");
        m_glyphs.emplace(glyph.c, rows);
    }
}

const std::vector<std::string>& PixelFont::Glyph(char c) const
{
    const auto found = m_glyphs.find(c);
    if (found == m_glyphs.end())
        throw ArtError(std::string("no glyph for '") + c + "'");
    return found->second;
}

int PixelFont::TextWidth(const std::string& text) const
{
    int width = 0;
    for (char c : text)
        width += static_cast<int>(Glyph(c).front().size()) + m_spacing;
    return text.empty() ? 0 : width - m_spacing;
}

void PixelFont::Draw(RgbImage& image, int left, int top, const std::string& text,
                     const std::function<Rgb(int row)>& colourOfRow) const
{
    int x = left;
    for (char c : text) {
        const std::vector<std::string>& rows = Glyph(c);
        for (int row = 0; row < m_height; ++row)
            for (std::size_t col = 0; col < rows[row].size(); ++col)
                if (rows[row][col] == '#')
                    image.At(x + static_cast<int>(col), top + row) = colourOfRow(row);
        x += static_cast<int>(rows.front().size()) + m_spacing;
    }
}

const PixelFont& TitleFont()
{
    static const PixelFont font(9, 1, {
        {'T', {"########",
               "########",
               "...##...",
               "...##...",
               "...##...",
               "...##...",
               "...##...",
               "...##...",
               "...##..."}},
        {'a', {"......",
               "......",
               "......",
               ".####.",
               "....##",
               ".#####",
               "##..##",
               "##..##",
               ".#####"}},
        {'v', {"......",
               "......",
               "......",
               "##..##",
               "##..##",
               "##..##",
               ".####.",
               ".####.",
               "..##.."}},
        {'o', {"......",
               "......",
               "......",
               ".####.",
               "##..##",
               "##..##",
               "##..##",
               "##..##",
               ".####."}},
        {'l', {"##",
               "##",
               "##",
               "##",
               "##",
               "##",
               "##",
               "##",
               "##"}},
        {'i', {"##",
               "##",
               "..",
               "##",
               "##",
               "##",
               "##",
               "##",
               "##"}},
        {'s', {"......",
               "......",
               "......",
               ".#####",
               "##....",
               ".####.",
               "....##",
               "....##",
               "#####."}},
        {'k', {"##....",
               "##....",
               "##....",
               "##..##",
               "##.##.",
               "####..",
               "####..",
               "##.##.",
               "##..##"}},
    });
    return font;
}

const PixelFont& AddressFont()
{
    static const PixelFont font(9, 1, {
        {'.', {".", ".", ".", ".", ".", ".", "#", ".", "."}},
        {'a', {"....", "....", ".##.", "...#", ".###", "#..#", ".###", "....", "...."}},
        {'e', {"....", "....", ".##.", "#..#", "####", "#...", ".###", "....", "...."}},
        {'i', {"#", ".", "#", "#", "#", "#", "#", ".", "."}},
        {'l', {"#", "#", "#", "#", "#", "#", "#", ".", "."}},
        {'m', {".....", ".....", "####.", "#.#.#", "#.#.#", "#.#.#", "#.#.#", ".....", "....."}},
        {'n', {"....", "....", "###.", "#..#", "#..#", "#..#", "#..#", "....", "...."}},
        {'o', {"....", "....", ".##.", "#..#", "#..#", "#..#", ".##.", "....", "...."}},
        {'p', {"....", "....", "###.", "#..#", "#..#", "#..#", "###.", "#...", "#..."}},
        {'q', {"....", "....", ".###", "#..#", "#..#", "#..#", ".###", "...#", "...#"}},
        {'r', {"...", "...", "#.#", "##.", "#..", "#..", "#..", "...", "..."}},
        {'t', {"...", ".#.", "###", ".#.", ".#.", ".#.", "..#", "...", "..."}},
        {'u', {"....", "....", "#..#", "#..#", "#..#", "#..#", ".###", "....", "...."}},
        {'w', {".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#.", ".....", "....."}},
        {'x', {".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", ".....", "....."}},
    });
    return font;
}

} // namespace art
