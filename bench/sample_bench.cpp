// Prints what a 9 x 9 averaged sample costs beside a 1-pixel sample, each
// read from the screen as the drag reads it.
#include "colour/mouse_function.h"
#include "colour/screen_square.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// Median microseconds of one read over several rounds, the point moving a
// little so that nothing along the way can cache one answer.
template <class Read>
double MedianMicroseconds(Read read)
{
    constexpr int kRounds = 9;
    constexpr int kReads = 200;
    std::vector<double> rounds;
    volatile ColorValue sink = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kReads; ++i)
            sink = read(100 + i % 50, 100 + i % 37);
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        rounds.push_back(spent.count() / kReads);
    }
    (void)sink;
    std::sort(rounds.begin(), rounds.end());
    return rounds[kRounds / 2];
}

} // namespace

int main()
{
    ::SetProcessDPIAware();
    const double pixel = MedianMicroseconds([](int x, int y) { return GetScreenPixel(x, y); });
    const double square =
        MedianMicroseconds([](int x, int y) { return GetScreenSquare(x, y, 9, SquareReduction::Mean); });
    const double common =
        MedianMicroseconds([](int x, int y) { return GetScreenSquare(x, y, 9, SquareReduction::MostCommon); });
    std::printf("sample 9 x 9: %.0f us averaged, %.0f us most common; 1 pixel: %.0f us; ratio %.2fx and %.2fx "
                "(target <= 1.2x)\n",
                square, common, pixel, square / pixel, common / pixel);
    return 0;
}
