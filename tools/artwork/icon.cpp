// The application icon: green, red and blue squares with an eyedropper
// coming in from the top-right corner, its tip on the blue square. The scene
// is laid out on a 32-pixel grid with edges on even coordinates, so the
// 16-pixel image lands on whole pixels as well.
#include "artwork.h"

namespace art {
namespace {

// Each sample is either in or out; the supersampling does the smoothing.
double In(double distance) { return distance < 0 ? 1.0 : 0.0; }

const Paint kOutline = Opaque(28, 28, 32);

// A filled square with a dark outline one output pixel wide.
Paint Square(Vec p, double left, double top, double side, double scale, const Paint& fill)
{
    const double d = RoundBoxDistance(p, left * scale, top * scale, (left + side) * scale, (top + side) * scale, scale);
    return WithAlpha(In(d + 1.0) ? fill : kOutline, In(d));
}

Paint Eyedropper(Vec p, double s, const Paint& under)
{
    // The tip meets the blue square's top edge (y 10); the tube runs up at
    // 45 degrees to the rubber bulb in the corner.
    const Vec tip{20 * s, 10 * s};
    const Vec tubeStart{21.5 * s, 8.5 * s};
    const Vec tubeEnd{26 * s, 4 * s};
    const Vec bulbStart{27 * s, 3 * s};
    const Vec bulbEnd{30 * s, 0};

    Paint c = under;
    const double nozzle = SegmentDistance(p, tip, tubeStart) - 0.9 * s - 0.25;
    const double tube = SegmentDistance(p, tubeStart, tubeEnd) - 2.0 * s - 0.25;
    const double glass = std::min(nozzle, tube);
    c = Over(WithAlpha(In(glass + 1.0) ? Opaque(250, 250, 250) : Opaque(90, 90, 96), In(glass)), c);
    const double bulb = SegmentDistance(p, bulbStart, bulbEnd) - 3.2 * s;
    const double shine = CircleDistance(p, {28.3 * s, 2.4 * s}, 0.9 * s);
    c = Over(WithAlpha(In(shine) ? Opaque(130, 130, 138) : Opaque(50, 50, 56), In(bulb)), c);
    return c;
}

} // namespace

RgbaImage DrawAppIcon(int size)
{
    const double s = size / 32.0;
    return RenderScene(size, size, 8, [&](double x, double y) {
        const Vec p{x, y};
        Paint c{};
        c = Over(Square(p, 2, 4, 14, s, Opaque(40, 170, 56)), c);
        // Red covers green's lower edge, so the two share one outline.
        c = Over(Square(p, 2, 16, 14, s, Opaque(226, 40, 36)), c);
        c = Over(Square(p, 12, 10, 14, s, Opaque(36, 72, 236)), c);
        return Eyedropper(p, s, c);
    });
}

} // namespace art
