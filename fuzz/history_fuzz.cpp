// libFuzzer target over the history file reader: any bytes give at most 16
// distinct colours, each 0..16777215, that survive a write and a read again;
// the palette writers take whatever the reader gave. Anything else aborts.
#include "colour/colour_history.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {
[[noreturn]] void Finding(const char* what)
{
    std::fprintf(stderr, "FINDING in the history reader: %s\n", what);
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ColourHistory history = ColourHistory::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::vector<ColorValue>& colours = history.Colours();
    if (colours.size() > ColourHistory::kCapacity)
        Finding("more than 16 colours");
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (colours[i] < 0 || colours[i] > 0xFFFFFF)
            Finding("a colour out of range");
        for (std::size_t j = 0; j < i; ++j)
            if (colours[i] == colours[j])
                Finding("a colour twice");
    }
    if (ColourHistory::Parse(history.Serialise()).Colours() != colours)
        Finding("written and read again, the history changed");
    for (const PaletteFormat format : {PaletteFormat::Gimp, PaletteFormat::CssProperties, PaletteFormat::Text})
        if (WritePalette(colours, format).empty() && format != PaletteFormat::Text)
            Finding("an empty palette file");
    return 0;
}
