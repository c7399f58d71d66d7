// The Help window's light bulb, 16 x 16, drawn on the tool-tip background
// colour so the window can show it as it is or treat that colour as clear.
#include "artwork.h"

namespace art {
namespace {

constexpr Vec kGlassCentre{8, 6.8};
constexpr double kGlassRadius = 4.1;

double In(double distance) { return distance < 0 ? 1.0 : 0.0; }

Paint Scene(Vec p)
{
    Paint c{};
    // Short rays over the upper half, where the glow would show. Directions
    // are written out rather than computed, so no library trigonometry can
    // change a pixel from one platform to another.
    const double h = std::sqrt(0.5);
    const Vec directions[] = {{-1, 0}, {-h, -h}, {0, -1}, {h, -h}, {1, 0}};
    double rays = 1e9;
    for (const Vec& dir : directions) {
        const Vec from{kGlassCentre.x + dir.x * 5.5, kGlassCentre.y + dir.y * 5.5};
        const Vec to{kGlassCentre.x + dir.x * 7.2, kGlassCentre.y + dir.y * 7.2};
        rays = std::min(rays, SegmentDistance(p, from, to) - 0.7);
    }
    c = Over(WithAlpha(Opaque(245, 150, 0), In(rays)), c);

    // Glass: round top flowing into a neck, with a pale highlight.
    const double glass = SmoothUnion(CircleDistance(p, kGlassCentre, kGlassRadius),
                                     RoundBoxDistance(p, 6.0, 8.5, 10.0, 11.6, 0.5), 1.5);
    const double shine = CircleDistance(p, {6.6, 5.2}, 1.5);
    const Paint glow = In(shine) ? Opaque(255, 252, 190) : Opaque(255, 214, 28);
    c = Over(WithAlpha(In(glass + 0.9) ? glow : Opaque(196, 128, 0), In(glass)), c);

    // Screw base: grey bands, then the dark contact.
    const double base = RoundBoxDistance(p, 5.8, 11.0, 10.2, 14.6, 0.6);
    const bool band = static_cast<int>(std::floor(p.y)) % 2 == 0;
    c = Over(WithAlpha(band ? Opaque(168, 168, 174) : Opaque(118, 118, 126), In(base)), c);
    const double contact = RoundBoxDistance(p, 6.9, 14.4, 9.1, 16.0, 0.8);
    c = Over(WithAlpha(Opaque(70, 70, 76), In(contact)), c);
    return c;
}

} // namespace

RgbImage DrawBulb(int dpi)
{
    // Drawn at the size the DPI asks for, from the same 16-pixel scene.
    const int size = ScaleLength(16, dpi);
    const double scale = dpi / 96.0;
    const RgbaImage drawn =
        RenderScene(size, size, 8, [scale](double x, double y) { return Scene({x / scale, y / scale}); });
    RgbImage bulb(size, size, kBulbBackground);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Rgba& p = drawn.At(x, y);
            if (p.a == 0)
                continue;
            const double a = p.a / 255.0;
            auto mix = [&](std::uint8_t ink, std::uint8_t paper) { return ToByte((ink * a + paper * (1 - a)) / 255.0); };
            Rgb ink{mix(p.r, kBulbBackground.r), mix(p.g, kBulbBackground.g), mix(p.b, kBulbBackground.b)};
            // A faint edge must not come out as the background colour itself.
            if (ink == kBulbBackground)
                ink.b = static_cast<std::uint8_t>(ink.b - 1);
            bulb.At(x, y) = ink;
        }
    }
    return bulb;
}

} // namespace art
