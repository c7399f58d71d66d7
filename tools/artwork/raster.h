// Pixel buffers and the few geometric helpers the artwork is drawn with.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace art {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba&) const = default;
};

inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kBlack{0, 0, 0};

// The artwork's faults. Their text is kept in a std::string of their own: the
// GNU runtime's standard exceptions hold theirs in the old reference-counted
// string, a second whole string implementation the program would carry.
class ArtError : public std::exception {
public:
    explicit ArtError(std::string text) : m_text(std::move(text)) {}
    const char* what() const noexcept override { return m_text.c_str(); }

private:
    std::string m_text;
};

template <class Pixel>
class Raster {
public:
    Raster(int width, int height, Pixel fill = {})
        : m_width(width), m_height(height), m_pixels(static_cast<std::size_t>(width) * height, fill) {}

    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    bool Contains(int x, int y) const noexcept { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    Pixel& At(int x, int y) { return m_pixels.at(Index(x, y)); }
    const Pixel& At(int x, int y) const { return m_pixels.at(Index(x, y)); }

private:
    std::size_t Index(int x, int y) const
    {
        if (!Contains(x, y))
            throw ArtError("pixel " + std::to_string(x) + "," + std::to_string(y) + " outside the raster");
        return static_cast<std::size_t>(y) * m_width + x;
    }

    int m_width;
    int m_height;
    std::vector<Pixel> m_pixels;
};

using RgbImage = Raster<Rgb>;
using RgbaImage = Raster<Rgba>;

// Cursor art: '.' leaves the screen alone, '#' is black, 'o' is white.
using MonoArt = std::vector<std::string>;

// Straight (not premultiplied) colour in 0..1, for drawing with coverage.
struct Paint {
    double r = 0, g = 0, b = 0, a = 0;
};

inline Paint Opaque(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0, 1.0}; }

inline Paint Over(const Paint& top, const Paint& under)
{
    const double a = top.a + under.a * (1 - top.a);
    if (a <= 0)
        return {};
    auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

inline Paint WithAlpha(Paint p, double alpha)
{
    p.a *= std::clamp(alpha, 0.0, 1.0);
    return p;
}

inline std::uint8_t ToByte(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

// Renders a scene with n x n samples per pixel; colours are averaged with
// their alpha so edges fade into transparency rather than into black.
inline RgbaImage RenderScene(int width, int height, int n, const std::function<Paint(double, double)>& scene)
{
    RgbaImage out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const Paint p = scene(x + (sx + 0.5) / n, y + (sy + 0.5) / n);
                    r += p.r * p.a;
                    g += p.g * p.a;
                    b += p.b * p.a;
                    a += p.a;
                }
            }
            Rgba& px = out.At(x, y);
            px.a = ToByte(a / (n * n));
            if (a > 0) {
                px.r = ToByte(r / a);
                px.g = ToByte(g / a);
                px.b = ToByte(b / a);
            }
        }
    }
    return out;
}

// Signed distances: negative inside.
struct Vec {
    double x = 0, y = 0;
};

inline double Length(double x, double y) { return std::sqrt(x * x + y * y); }

inline double CircleDistance(Vec p, Vec centre, double radius) { return Length(p.x - centre.x, p.y - centre.y) - radius; }

inline double RoundBoxDistance(Vec p, double left, double top, double right, double bottom, double radius)
{
    const double qx = std::abs(p.x - (left + right) / 2) - (right - left) / 2 + radius;
    const double qy = std::abs(p.y - (top + bottom) / 2) - (bottom - top) / 2 + radius;
    return Length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
}

inline double SegmentDistance(Vec p, Vec a, Vec b)
{
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * vx + (p.y - a.y) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    return Length(p.x - a.x - t * vx, p.y - a.y - t * vy);
}

// Union that rounds the joint over a width of k, so lobes flow into each other.
inline double SmoothUnion(double a, double b, double k)
{
    const double h = std::clamp(0.5 + 0.5 * (b - a) / k, 0.0, 1.0);
    return b + (a - b) * h - k * h * (1 - h);
}

// 0 outside, 1 inside, a linear ramp one pixel wide across the edge.
inline double Coverage(double distance) { return std::clamp(0.5 - distance, 0.0, 1.0); }

} // namespace art
