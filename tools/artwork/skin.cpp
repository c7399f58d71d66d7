// The main window's face: a black body with a grey rim, the view-finder lobe
// on the left and the swatch lobe on the right. Anything magenta is cut out
// of the window, so every body pixel is kept well away from that colour.
#include "artwork.h"
#include "pixel_font.h"

namespace art {
namespace {

constexpr int kWidth = 231;
constexpr int kHeight = 243;
// Centres are the middles of pixels (45, 121) and (192, 164): the program
// samples through the one and draws the swatch circle round the other.
constexpr int kFinderX = 45, kFinderY = 121;
constexpr int kSwatchX = 192, kSwatchY = 164;
constexpr double kFinderLobe = 43.5;
constexpr double kHoleRadius = 37;
constexpr double kReticleRadius = 9;
constexpr double kSwatchLobe = 36;

// The skin is shaped in its 96-dpi units and sampled at the scale asked for;
// only the view-finder and swatch centres are pinned to the whole pixels the
// program scales them to, so it samples and fills exactly where they lie.
struct Geometry {
    explicit Geometry(int dpi)
        : scale(dpi / 96.0), finderX(ScaleLength(kFinderX, dpi)), finderY(ScaleLength(kFinderY, dpi)),
          finder{(finderX + 0.5) / scale, (finderY + 0.5) / scale},
          swatch{(ScaleLength(kSwatchX, dpi) + 0.5) / scale, (ScaleLength(kSwatchY, dpi) + 0.5) / scale},
          box(ScaleLength(1, dpi))
    {
    }
    double scale;
    int finderX, finderY; // the sampled pixel, at the scale
    Vec finder, swatch;   // in 96-dpi units
    int box;              // half the side of the box round the sampled pixel
};

// The body's outline, negative inside (the hole not yet cut).
double BodyDistance(const Geometry& g, Vec p)
{
    const double finder = CircleDistance(p, g.finder, kFinderLobe);
    const double top = RoundBoxDistance(p, 60, 5, 214, 150, 32);
    const double swatch = CircleDistance(p, g.swatch, kSwatchLobe);
    const double bridge = SegmentDistance(p, {60, 138}, {178, 166}) - 28;
    double d = SmoothUnion(finder, top, 16);
    d = SmoothUnion(d, bridge, 16);
    return SmoothUnion(d, swatch, 24);
}

double SkinDistance(const Geometry& g, Vec p)
{
    return std::max(BodyDistance(g, p), kHoleRadius - Length(p.x - g.finder.x, p.y - g.finder.y));
}

// Grey rim along every edge, brighter where the edge faces the light (top
// left); it fades to pure black within four pixels (at 100 %).
double RimLevel(const Geometry& g, Vec p)
{
    const double inside = -SkinDistance(g, p);
    if (inside >= 4)
        return 0;
    const double e = 0.5;
    double nx = SkinDistance(g, {p.x + e, p.y}) - SkinDistance(g, {p.x - e, p.y});
    double ny = SkinDistance(g, {p.x, p.y + e}) - SkinDistance(g, {p.x, p.y - e});
    const double n = Length(nx, ny);
    if (n > 0) {
        nx /= n;
        ny /= n;
    }
    const double facing = -(nx + ny) / std::sqrt(2.0); // outward normal towards the light
    const double fade = (1 - inside / 4) * (1 - inside / 4);
    return fade * (0.40 + 0.28 * facing);
}

// A brushed ring around the swatch disc, lit like the rim.
Paint SwatchBezel(const Geometry& g, Vec p)
{
    const double dx = p.x - g.swatch.x, dy = p.y - g.swatch.y;
    const double r = Length(dx, dy);
    const double coverage = std::min(Coverage((28.5 - r) * g.scale), Coverage((r - 31.5) * g.scale));
    if (coverage <= 0)
        return {};
    const double facing = r > 0 ? -(dx + dy) / (r * std::sqrt(2.0)) : 0;
    const double level = 0.34 + 0.22 * facing;
    return {level, level, level * 1.04, coverage};
}

bool InViewFinder(const Geometry& g, Vec p) { return SkinDistance(g, p) >= 0 && BodyDistance(g, p) < 0; }

// Crosshair, reticle ring and the box round the sampled pixel, all hard black
// so they never blend towards the key colour. Pixel-exact at every scale:
// the lines stay one pixel wide, through the sampled pixel.
bool ReticleInk(const Geometry& g, int x, int y)
{
    if (x == g.finderX && y == g.finderY)
        return false;
    if (x == g.finderX || y == g.finderY)
        return true;
    if (std::abs(x - g.finderX) <= g.box && std::abs(y - g.finderY) <= g.box)
        return true;
    const double r = Length(x - g.finderX, y - g.finderY);
    return std::abs(r - kReticleRadius * g.scale) <= 0.75 * g.scale;
}

// Faint engraved details: a rule under the lettering and a grip of three
// grooves on the lower bridge, both far from the value rows.
Paint Engraving(const Geometry& g, Vec p)
{
    double d = SegmentDistance(p, {114, 42.5}, {187, 42.5}) - 0.5;
    for (int i = 0; i < 3; ++i)
        d = std::min(d, SegmentDistance(p, {104, 162.5 + 6 * i}, {146, 162.5 + 6 * i}) - 1.0);
    return WithAlpha(Opaque(44, 44, 48), Coverage(d * g.scale));
}

Rgb ToRgb(const Paint& p)
{
    return {ToByte(p.r * p.a), ToByte(p.g * p.a), ToByte(p.b * p.a)};
}

void DrawLettering(RgbImage& skin)
{
    // Centred over the link label (x 102..199); the address sits on its rows 29..37.
    constexpr int kLabelCentre = (102 + 199) / 2;
    const PixelFont& title = TitleFont();
    const std::string name = "Tavolisk";
    title.Draw(skin, kLabelCentre - title.TextWidth(name) / 2, 15, name, [](int row) {
        const int level = 250 - row * 9;
        return Rgb{static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(level),
                   static_cast<std::uint8_t>(level + 4 > 255 ? 255 : level + 4)};
    });
    const PixelFont& small = AddressFont();
    small.Draw(skin, kLabelCentre - small.TextWidth(kSkinAddress) / 2, 29, kSkinAddress,
               [](int) { return Rgb{110, 168, 255}; });
}

} // namespace

int ScaleLength(int value96, int dpi)
{
    // Rounded half away from zero, as MulDiv rounds, so the program and the
    // artwork agree on every scaled pixel.
    const long long scaled = static_cast<long long>(value96) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : -((-scaled + 48) / 96));
}

RgbImage DrawSkin(int dpi)
{
    const Geometry g(dpi);
    const int width = ScaleLength(kWidth, dpi);
    const int height = ScaleLength(kHeight, dpi);
    RgbImage skin(width, height, kMagenta);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Vec centre{(x + 0.5) / g.scale, (y + 0.5) / g.scale};
            if (SkinDistance(g, centre) >= 0) {
                if (InViewFinder(g, centre) && ReticleInk(g, x, y))
                    skin.At(x, y) = kBlack;
                continue;
            }
            const double rim = RimLevel(g, centre);
            Paint colour{rim, rim, rim * 1.04, 1};
            colour = Over(Engraving(g, centre), colour);
            colour = Over(SwatchBezel(g, centre), colour);
            skin.At(x, y) = ToRgb(colour);
        }
    }
    // The bitmap lettering is drawn at 100 % and each of its pixels taken to
    // the nearest pixels at the scale: blocks, crisp, never smeared.
    RgbImage lettering(kWidth, kHeight, kMagenta);
    DrawLettering(lettering);
    for (int y = 0; y < height; ++y) {
        const int fromY = std::min(kHeight - 1, static_cast<int>((y + 0.5) / g.scale));
        for (int x = 0; x < width; ++x) {
            const int fromX = std::min(kWidth - 1, static_cast<int>((x + 0.5) / g.scale));
            if (const Rgb ink = lettering.At(fromX, fromY); !(ink == kMagenta))
                skin.At(x, y) = ink;
        }
    }
    return skin;
}

} // namespace art
