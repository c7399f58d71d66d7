// The colour history and the palette writers.
#include "colour/colour_history.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Web(ColorValue color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return text;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "#RRGGBB" exactly, else -1.
ColorValue ParseLine(std::string_view line)
{
    if (line.size() != 7 || line[0] != '#')
        return -1;
    int value = 0;
    for (std::size_t i = 1; i < 7; ++i) {
        const int digit = HexDigit(line[i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return static_cast<ColorValue>(((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16));
}

} // namespace

bool ColourHistory::Add(ColorValue color)
{
    if (color < 0 || color > 0xFFFFFF)
        return false;
    const auto found = std::find(m_colours.begin(), m_colours.end(), color);
    if (found == m_colours.begin() && found != m_colours.end())
        return false;
    if (found != m_colours.end())
        m_colours.erase(found);
    m_colours.insert(m_colours.begin(), color);
    if (m_colours.size() > kCapacity)
        m_colours.resize(kCapacity);
    return true;
}

ColourHistory ColourHistory::Parse(std::string_view text)
{
    // A UTF-8 byte-order mark, as some editors write one.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    ColourHistory history;
    while (!text.empty() && history.m_colours.size() < kCapacity) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const ColorValue color = ParseLine(line);
        if (color >= 0 && std::find(history.m_colours.begin(), history.m_colours.end(), color) == history.m_colours.end())
            history.m_colours.push_back(color);
    }
    return history;
}

std::string ColourHistory::Serialise() const
{
    return WritePalette(m_colours, PaletteFormat::Text);
}

std::string WritePalette(const std::vector<ColorValue>& colours, PaletteFormat format)
{
    std::string out;
    if (format == PaletteFormat::Gimp)
        out = "GIMP Palette\nName: Tavolisk\nColumns: 8\n#\n";
    else if (format == PaletteFormat::CssProperties)
        out = ":root {\n";
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const ColorValue c = colours[i];
        char line[48];
        if (format == PaletteFormat::Gimp)
            std::snprintf(line, sizeof line, "%3d %3d %3d\t%s\n", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF,
                          Web(c).c_str());
        else if (format == PaletteFormat::CssProperties)
            std::snprintf(line, sizeof line, "  --tavolisk-%u: %s;\n", static_cast<unsigned>(i + 1), Web(c).c_str());
        else
            std::snprintf(line, sizeof line, "%s\n", Web(c).c_str());
        out += line;
    }
    if (format == PaletteFormat::CssProperties)
        out += "}\n";
    return out;
}
