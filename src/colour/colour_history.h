// The history of picked colours (newest first, at most 16, each once), its
// file form, and the palette files made from it.
#pragma once

#include "colour/colour.h"

#include <string>
#include <string_view>
#include <vector>

class ColourHistory {
public:
    static constexpr std::size_t kCapacity = 16;

    // Puts the colour first, moving it there if it is already kept; -1 and
    // values outside 0..16777215 are no colours and change nothing. True
    // when the list changed.
    bool Add(ColorValue color);
    void Clear() noexcept { m_colours.clear(); }
    const std::vector<ColorValue>& Colours() const noexcept { return m_colours; }

    // One "#RRGGBB" a line, newest first. Reading skips every other line
    // (and a repeat of a colour already read) and stops at 16 colours.
    static ColourHistory Parse(std::string_view text);
    std::string Serialise() const;

private:
    std::vector<ColorValue> m_colours;
};

enum class PaletteFormat { Gimp, CssProperties, Text };

// The palette file of the colours in the given order.
std::string WritePalette(const std::vector<ColorValue>& colours, PaletteFormat format);
