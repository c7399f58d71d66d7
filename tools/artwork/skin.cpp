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
constexpr Vec kFinder{kFinderX + 0.5, kFinderY + 0.5};
constexpr double kFinderLobe = 43.5;
constexpr double kHoleRadius = 37;
constexpr double kReticleRadius = 9;
constexpr Vec kSwatch{192.5, 164.5};
constexpr double kSwatchLobe = 36;

// The body's outline, negative inside (the hole not yet cut).
double BodyDistance(Vec p)
{
    const double finder = CircleDistance(p, kFinder, kFinderLobe);
    const double top = RoundBoxDistance(p, 60, 5, 214, 150, 32);
    const double swatch = CircleDistance(p, kSwatch, kSwatchLobe);
    const double bridge = SegmentDistance(p, {60, 138}, {178, 166}) - 28;
    double d = SmoothUnion(finder, top, 16);
    d = SmoothUnion(d, bridge, 16);
    return SmoothUnion(d, swatch, 24);
}

double SkinDistance(Vec p) { return std::max(BodyDistance(p), kHoleRadius - Length(p.x - kFinder.x, p.y - kFinder.y)); }

// Grey rim along every edge, brighter where the edge faces the light (top
// left); it fades to pure black within four pixels.
double RimLevel(Vec p)
{
    const double inside = -SkinDistance(p);
    if (inside >= 4)
        return 0;
    const double e = 0.5;
    double nx = SkinDistance({p.x + e, p.y}) - SkinDistance({p.x - e, p.y});
    double ny = SkinDistance({p.x, p.y + e}) - SkinDistance({p.x, p.y - e});
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
Paint SwatchBezel(Vec p)
{
    const double dx = p.x - kSwatch.x, dy = p.y - kSwatch.y;
    const double r = Length(dx, dy);
    const double coverage = std::min(Coverage(28.5 - r), Coverage(r - 31.5));
    if (coverage <= 0)
        return {};
    const double facing = r > 0 ? -(dx + dy) / (r * std::sqrt(2.0)) : 0;
    const double level = 0.34 + 0.22 * facing;
    return {level, level, level * 1.04, coverage};
}

bool InViewFinder(int x, int y) { return SkinDistance({x + 0.5, y + 0.5}) >= 0 && BodyDistance({x + 0.5, y + 0.5}) < 0; }

// Crosshair, reticle ring and the box round the sampled pixel, all hard black
// so they never blend towards the key colour.
bool ReticleInk(int x, int y)
{
    if (x == kFinderX && y == kFinderY)
        return false;
    if (x == kFinderX || y == kFinderY)
        return true;
    if (std::abs(x - kFinderX) <= 1 && std::abs(y - kFinderY) <= 1)
        return true;
    const double r = Length(x + 0.5 - kFinder.x, y + 0.5 - kFinder.y);
    return std::abs(r - kReticleRadius) <= 0.75;
}

// Faint engraved details: a rule under the lettering and a grip of three
// grooves on the lower bridge, both far from the value rows.
Paint Engraving(Vec p)
{
    double d = SegmentDistance(p, {114, 42.5}, {187, 42.5}) - 0.5;
    for (int i = 0; i < 3; ++i)
        d = std::min(d, SegmentDistance(p, {104, 162.5 + 6 * i}, {146, 162.5 + 6 * i}) - 1.0);
    return WithAlpha(Opaque(44, 44, 48), Coverage(d));
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

RgbImage DrawSkin()
{
    RgbImage skin(kWidth, kHeight, kMagenta);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Vec centre{x + 0.5, y + 0.5};
            if (SkinDistance(centre) >= 0) {
                if (InViewFinder(x, y) && ReticleInk(x, y))
                    skin.At(x, y) = kBlack;
                continue;
            }
            const double rim = RimLevel(centre);
            Paint colour{rim, rim, rim * 1.04, 1};
            colour = Over(Engraving(centre), colour);
            colour = Over(SwatchBezel(centre), colour);
            skin.At(x, y) = ToRgb(colour);
        }
    }
    DrawLettering(skin);
    return skin;
}

} // namespace art
