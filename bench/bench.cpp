// Figures for the picker's speed, printed, never asserted:
//   bench headline <picker exe> <minimal exe>
//                   what a user waits on, with the advanced view closed and
//                   open: how soon a new colour under the view-finder shows in
//                   the Web field, changing-colour samples a second against
//                   the display's rate, the CPU of a held-still drag; start-up
//                   and peak working set against a minimal window; then the
//                   drag beside its floor
//   bench chart | stripes   the chart the drags run over (started by the others)
//   bench region    the skin region built from one bitmap read and from GetPixel
//   bench lens      a drag whose colour changes at every step, without and with the zoom lens
//   bench startup <exe> <class> <title>       ms from process start to a visible window (median of 5)
//   bench skins     ms to have the skin at each scale: the resource at 100 %, drawn at the others
#include "chart_process.h"
#include "drags.h"
#include "startup.h"

#include "mainwindow/frm_main.h"
#include "resources/resource_access.h"
#include "support/timing.h"
#include "toolkit/handles.h"
#include "winservices/skin.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using tktest::Clock;
using tktest::Median;
using tktest::Percentile;
using tktest::Seconds;

void Headline(const std::wstring& pickerExe, const std::wstring& minimalExe)
{
    bench::FloorWindow floorWindow;
    bench::SampleRate floor;
    bench::SampleRate drag[2];
    bench::StillFigures still[2];
    {
        const bench::ChartProcess chart(L"chart");
        tk::DoEvents();
        floor = bench::FloorDrag(floorWindow);
        for (const bool open : {false, true})
            drag[open] = bench::ChangingDrag(open);
        for (const bool open : {false, true})
            still[open] = bench::HeldStillDrag(chart, open);
    }
    // The picker and the minimal window started in turns, so a busy moment
    // of the machine falls on both alike.
    constexpr int kRuns = 9;
    std::vector<bench::StartFigures> pickerStarts;
    std::vector<bench::StartFigures> minimalStarts;
    for (int run = 0; run < kRuns; ++run) {
        pickerStarts.push_back(bench::StartOnce(pickerExe, L"TavoliskForm", L"Tavolisk"));
        minimalStarts.push_back(bench::StartOnce(minimalExe, L"BenchMinimal", L"Minimal"));
    }
    const auto median = [](const std::vector<bench::StartFigures>& starts, double bench::StartFigures::*figure) {
        std::vector<double> values;
        for (const bench::StartFigures& start : starts)
            values.push_back(start.*figure);
        return Median(values);
    };
    const double pickerMs = median(pickerStarts, &bench::StartFigures::milliseconds);
    const double minimalMs = median(minimalStarts, &bench::StartFigures::milliseconds);
    const double pickerMiB = median(pickerStarts, &bench::StartFigures::peakMiB);
    const double minimalMiB = median(minimalStarts, &bench::StartFigures::peakMiB);

    std::printf("== Headline: what a user waits on (advanced view closed | open)\n");
    // A change that never reached the field is told as such, not as 0 ms.
    const auto latency = [](const bench::StillFigures& figures) {
        if (figures.latencies.empty())
            return std::string("not measured");
        char text[64];
        std::snprintf(text, sizeof text, "median %.1f ms, p90 %.1f ms", Median(figures.latencies),
                      Percentile(figures.latencies, 0.9));
        return std::string(text);
    };
    std::printf("a new colour under the view-finder to the Web field: %s | %s; one frame is %.1f ms (%zu | %zu "
                "changes, %d | %d missed; timed from the chart process being asked to paint it, so its own repaint "
                "counts too)\n",
                latency(still[0]).c_str(), latency(still[1]).c_str(), 1000.0 / bench::DisplayHertz(),
                still[0].latencies.size(), still[1].latencies.size(), still[0].missed, still[1].missed);
    std::printf("changing-colour samples per second: %.1f | %.1f; the display shows %d frames a second "
                "(%.2f | %.2f fresh samples a frame)\n",
                drag[0].PerSecond(), drag[1].PerSecond(), bench::DisplayHertz(),
                drag[0].PerSecond() / bench::DisplayHertz(), drag[1].PerSecond() / bench::DisplayHertz());
    std::printf("held-still drag: %.1f %% | %.1f %% of a core (%ld | %ld samples in %.1f s)\n",
                100.0 * still[0].cpuShare, 100.0 * still[1].cpuShare, still[0].stillSamples, still[1].stillSamples,
                still[0].stillSeconds);
    std::printf("start-up to a visible window: picker %.1f ms, minimal window %.1f ms (%.2fx; medians of %d, "
                "started in turns)\n",
                pickerMs, minimalMs, pickerMs / minimalMs, kRuns);
    if (minimalMiB > 0)
        std::printf("peak working set at start-up: picker %.1f MiB, minimal window %.1f MiB (%.2fx)\n", pickerMiB,
                    minimalMiB, pickerMiB / minimalMiB);
    else
        std::printf("peak working set at start-up: not told by this system\n");

    std::printf("== The drag beside its floor\n");
    std::printf("floor (%s and %d child windows like the picker's moved between bands, a pixel read, the pump): "
                "%.1f changing-colour samples/s (%ld of %ld samples changed colour)\n",
                floorWindow.regioned ? "the picker's region" : "no region (the picker's could not be read)",
                floorWindow.children, floor.PerSecond(), floor.changes, floor.samples);
    for (const bool open : {false, true})
        std::printf("changing-colour drag, advanced view %s: %.1f samples/s, %.2f of the floor (%ld of %ld samples "
                    "changed colour)\n",
                    open ? "open" : "closed", drag[open].PerSecond(), drag[open].PerSecond() / floor.PerSecond(),
                    drag[open].changes, drag[open].samples);
}

void Region()
{
    FrmMain& picker = *frmMain;
    constexpr int kRepeats = 20;
    auto time = [&](auto build) {
        const auto start = Clock::now();
        for (int i = 0; i < kRepeats; ++i)
            build();
        return Seconds(Clock::now() - start) * 1000.0 / kRepeats;
    };
    const double bitmap = time([&] { MakeRegionFromPicture(picker.Skin(), 0, 0); });
    const double perPixel = time([&] { MakeRegionFromPicturePerPixel(picker.Skin(), 0, 0); });
    std::printf("skin region: %.2f ms from one bitmap read, %.2f ms with GetPixel per pixel (%.1fx)\n", bitmap,
                perPixel, perPixel / bitmap);
    picker.Uscita();
    tk::CollectRetiredForms();
}

void Skins()
{
    for (const UINT dpi : {96u, 120u, 144u, 168u, 192u}) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run) {
            const auto start = Clock::now();
            const tk::unique_hbitmap skin = LoadSkinBitmap(dpi);
            times.push_back(Seconds(Clock::now() - start) * 1000.0);
        }
        std::printf("skin at %u dpi: %.1f ms (median of 5)\n", dpi, Median(times));
    }
}

void LensCost()
{
    // In a process of its own, as for the drags above: the columns a move
    // uncovers are repainted there at once, not after this drag's sample.
    const bench::ChartProcess stripes(L"stripes");
    tk::DoEvents();
    // Short runs side by side, in alternating order, and medians of the
    // pairs: a busy moment of the shared machine weighs on one pair. The
    // processor time of this process per sample is the steadier figure
    // when other work shares the machine; the rate is what the user gets.
    std::vector<double> rateCosts;
    std::vector<double> cpuCosts;
    std::vector<double> rates[2];
    std::vector<double> cpu[2];
    std::vector<double> changed;
    long lensReads = 0;
    long lensPaints = 0;
    long lensSamples = 0;
    double lensSeconds = 0;
    for (int round = 0; round < 9; ++round) {
        const bool lensFirst = round % 2 == 1;
        const bench::LensFigures first = bench::LensDrag(lensFirst);
        const bench::LensFigures second = bench::LensDrag(!lensFirst);
        const bench::LensFigures& without = lensFirst ? second : first;
        const bench::LensFigures& with = lensFirst ? first : second;
        rates[0].push_back(without.rate);
        rates[1].push_back(with.rate);
        cpu[0].push_back(without.cpuMicros);
        cpu[1].push_back(with.cpuMicros);
        changed.push_back(std::min(without.changed, with.changed));
        rateCosts.push_back((without.rate - with.rate) / without.rate * 100.0);
        cpuCosts.push_back((with.cpuMicros - without.cpuMicros) / without.cpuMicros * 100.0);
        lensReads += with.lensReads;
        lensPaints += with.lensPaints;
        lensSamples += static_cast<long>(with.rate * with.seconds);
        lensSeconds += with.seconds;
    }
    std::printf("changing-colour drag (medians of 9 pairs of 1 s runs): %.0f samples/s without the lens, %.0f "
                "with it, %.1f %% slower; processor time %.0f us/sample without, %.0f with, %.1f %% more "
                "(target at most 10 %%); %.0f %% of samples brought a new colour\n",
                Median(rates[0]), Median(rates[1]), Median(rateCosts), Median(cpu[0]), Median(cpu[1]),
                Median(cpuCosts), 100.0 * *std::min_element(changed.begin(), changed.end()));
    std::printf("the lens over those %.1f s: %ld samples reached it, it read the screen %ld times (%.0f a second) "
                "and painted %ld times (%.0f a second)\n",
                lensSeconds, lensSamples, lensReads, lensReads / lensSeconds, lensPaints, lensPaints / lensSeconds);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"headline" && argc == 4) {
        Headline(argv[2], argv[3]);
        return 0;
    }
    if (mode == L"chart" || mode == L"stripes")
        return bench::RunChart(mode);
    if (mode == L"region") {
        Region();
        return 0;
    }
    if (mode == L"lens") {
        LensCost();
        return 0;
    }
    if (mode == L"skins") {
        Skins();
        return 0;
    }
    if (mode == L"startup" && argc == 5) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run)
            times.push_back(bench::StartOnce(argv[2], argv[3], argv[4]).milliseconds);
        std::printf("%.1f\n", Median(times));
        return 0;
    }
    std::fprintf(stderr, "usage: bench headline <picker exe> <minimal exe> | region | lens | skins | "
                         "startup <exe> <class> <title>\n");
    return 2;
}
