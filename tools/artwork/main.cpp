// Draws every picture of the program and writes it into the folder given on
// the command line (normally src/resources/art). The output is byte-for-byte
// reproducible, so the committed files can be checked against a fresh run.
#include "artwork.h"
#include "formats.h"

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <iostream>
#include <map>

namespace {

using art::Bytes;

constexpr int kFirstIconImageId = 30001;

void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// The classic 16-colour palette, so the 4-bit images look right on any display.
std::vector<art::Rgb> VgaPalette()
{
    return {{0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},  {0, 0, 128},   {128, 0, 128},
            {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
            {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
}

// A 6x6x6 colour cube, then a grey ramp, then the picture's own main colours.
std::vector<art::Rgb> IndexedPalette(const art::RgbaImage& a, const art::RgbaImage& b)
{
    std::vector<art::Rgb> palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int bl = 0; bl < 6; ++bl)
                palette.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                                   static_cast<std::uint8_t>(bl * 51)});
    for (int i = 1; i <= 14; ++i) {
        const auto level = static_cast<std::uint8_t>(i * 17 + 8); // between the cube's greys
        palette.push_back({level, level, level});
    }
    // The 26 most frequent opaque colours of both sizes, ties broken by value.
    std::map<std::uint32_t, int> counts;
    for (const art::RgbaImage* image : {&a, &b})
        for (int y = 0; y < image->Height(); ++y)
            for (int x = 0; x < image->Width(); ++x) {
                const art::Rgba& p = image->At(x, y);
                if (p.a >= 128)
                    ++counts[(std::uint32_t{p.r} << 16) | (std::uint32_t{p.g} << 8) | p.b];
            }
    std::vector<std::pair<int, std::uint32_t>> ranked;
    for (const auto& [colour, count] : counts)
        ranked.push_back({-count, colour});
    std::sort(ranked.begin(), ranked.end());
    for (const auto& [count, colour] : ranked) {
        if (palette.size() == 256)
            break;
        palette.push_back({static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                           static_cast<std::uint8_t>(colour)});
    }
    while (palette.size() < 256)
        palette.push_back({0, 0, 0});
    return palette;
}

void WriteIcon(const std::filesystem::path& folder)
{
    const art::RgbaImage large = art::DrawAppIcon(32);
    const art::RgbaImage small = art::DrawAppIcon(16);
    const std::vector<art::Rgb> vga = VgaPalette();
    const std::vector<art::Rgb> indexed = IndexedPalette(large, small);
    const std::vector<art::IconImage> images{
        art::EncodeIconIndexed(large, vga, 4), art::EncodeIconIndexed(small, vga, 4),
        art::EncodeIconIndexed(large, indexed, 8), art::EncodeIconIndexed(small, indexed, 8),
        art::EncodeIcon32(large), art::EncodeIcon32(small),
    };
    WriteFile(folder / "tavolisk.ico", art::EncodeIco(images));
    // The resource script takes the images one by one so their ids are ours.
    WriteFile(folder / "icon_group.bin", art::EncodeIconGroup(images, kFirstIconImageId));
    for (std::size_t i = 0; i < images.size(); ++i)
        WriteFile(folder / ("icon_" + std::to_string(kFirstIconImageId + i) + ".bin"), images[i].dib);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: tavolisk_artwork <output folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        WriteFile(folder / "skin.bmp", art::EncodeBmp24(art::DrawSkin()));
        WriteFile(folder / "bulb.bmp", art::EncodeBmp24(art::DrawBulb()));
        WriteFile(folder / "mano.cur", art::EncodeCursor(art::OpenHandArt(), 8, 8));
        WriteFile(folder / "mano_drag.cur", art::EncodeCursor(art::ClosedHandArt(), 8, 8));
        WriteFile(folder / "linkhand.cur", art::EncodeCursor(art::PointingHandArt(), 0, 0));
        WriteIcon(folder);
    } catch (const std::exception& e) {
        std::cerr << "tavolisk_artwork: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
