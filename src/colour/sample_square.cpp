// The mean or most common colour of a sampled square.
#include "colour/sample_square.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

ColorValue Mean(std::span<const ColorValue> pixels)
{
    std::int64_t count = 0;
    std::int64_t sum[3]{};
    for (const ColorValue pixel : pixels) {
        if (pixel < 0)
            continue;
        ++count;
        for (int channel = 0; channel < 3; ++channel)
            sum[channel] += (pixel >> (8 * channel)) & 0xFF;
    }
    if (count == 0)
        return -1;
    ColorValue mean = 0;
    // floor(sum / count + 1/2) in integers.
    for (int channel = 0; channel < 3; ++channel)
        mean |= static_cast<ColorValue>((2 * sum[channel] + count) / (2 * count)) << (8 * channel);
    return mean;
}

ColorValue MostCommon(std::span<const ColorValue> pixels, int side)
{
    struct Tally {
        ColorValue colour;
        int count;
        int nearest; // squared distance of its nearest pixel to the centre
    };
    std::vector<Tally> tallies;
    const int centre = side / 2;
    for (int i = 0; i < static_cast<int>(pixels.size()); ++i) {
        const ColorValue pixel = pixels[static_cast<std::size_t>(i)];
        if (pixel < 0)
            continue;
        const int dx = i % side - centre, dy = i / side - centre;
        const int distance = dx * dx + dy * dy;
        auto tally = std::find_if(tallies.begin(), tallies.end(), [&](const Tally& t) { return t.colour == pixel; });
        if (tally == tallies.end())
            tallies.push_back({pixel, 1, distance});
        else {
            ++tally->count;
            tally->nearest = std::min(tally->nearest, distance);
        }
    }
    if (tallies.empty())
        return -1;
    // Equally frequent and equally near: the first met, reading from the top left.
    return std::min_element(tallies.begin(), tallies.end(), [](const Tally& a, const Tally& b) {
               return a.count != b.count ? a.count > b.count : a.nearest < b.nearest;
           })->colour;
}

} // namespace

ColorValue ReduceSquare(std::span<const ColorValue> pixels, int side, SquareReduction reduction)
{
    return reduction == SquareReduction::Mean ? Mean(pixels) : MostCommon(pixels, side);
}
