// Prints what a 9 x 9 sample costs beside a 1-pixel sample, each read from
// the screen as the drag reads it.
#include "colour/mouse_function.h"
#include "colour/screen_square.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 15;
constexpr int kReads = 100;

// Microseconds of one read, the point moving a little so that nothing along
// the way can cache one answer.
double Microseconds(const std::function<ColorValue(int, int)>& read)
{
    volatile ColorValue sink = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kReads; ++i)
        sink = read(100 + i % 50, 100 + i % 37);
    (void)sink;
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / kReads;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    ::SetProcessDPIAware();
    // The three run in turn within each round, so a machine busy with other
    // work slows all three alike; the ratios are the medians of the rounds'.
    std::vector<double> pixel, mean, common, meanRatio, commonRatio;
    for (int round = 0; round < kRounds; ++round) {
        pixel.push_back(Microseconds([](int x, int y) { return GetScreenPixel(x, y); }));
        mean.push_back(Microseconds([](int x, int y) { return GetScreenSquare(x, y, 9, SquareReduction::Mean); }));
        common.push_back(
            Microseconds([](int x, int y) { return GetScreenSquare(x, y, 9, SquareReduction::MostCommon); }));
        meanRatio.push_back(mean.back() / pixel.back());
        commonRatio.push_back(common.back() / pixel.back());
    }
    std::printf("sample 9 x 9: %.0f us averaged, %.0f us most common; 1 pixel: %.0f us; ratio %.2fx and %.2fx "
                "(target <= 1.2x)\n",
                Median(mean), Median(common), Median(pixel), Median(meanRatio), Median(commonRatio));
    return 0;
}
