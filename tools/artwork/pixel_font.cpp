// Glyphs are rows of '#' (ink) and '.' (none), all rows of one glyph equally wide.
#include "pixel_font.h"

#include <stdexcept>

namespace art {

PixelFont::PixelFont(int height, int spacing, std::map<char, std::vector<std::string>> glyphs)
    : m_height(height), m_spacing(spacing), m_glyphs(std::move(glyphs))
{
    for (const auto& [c, rows] : m_glyphs) {
        if (static_cast<int>(rows.size()) != height)
            throw std::logic_error(std::string("glyph '") + c + "' has the wrong height");
        for (const std::string& row : rows)
            if (row.size() != rows.front().size())
                throw std::logic_error(std::string("glyph '") + c + "' is ragged");
    }
}

const std::vector<std::string>& PixelFont::Glyph(char c) const
{
    const auto found = m_glyphs.find(c);
    if (found == m_glyphs.end())
        throw std::invalid_argument(std::string("no glyph for '") + c + "'");
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
