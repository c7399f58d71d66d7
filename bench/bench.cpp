// Figures for the picker's speed, printed, never asserted:
//   bench loop      the drag over a chart whose colour changes at every step,
//                   with the advanced view closed and open, beside the bare
//                   floor loop; and the CPU a held-still drag costs
//   bench chart     the chart the drags run over (started by bench loop)
//   bench region    the skin region built from one bitmap read and from GetPixel
//   bench lens      a drag whose colour changes at every step, without and with the zoom lens
//   bench startup <picker exe> <minimal exe>   ms from process start to a visible window
//   bench startup <exe> <class> <title>       the same for one program (median of 5)
//   bench skins     ms to have the skin at each scale: the resource at 100 %, drawn at the others
#include "advanced/frm_advanced.h"
#include "colour/mouse_function.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/zoom_lens.h"
#include "resources/resource_access.h"
#include "toolkit/handles.h"
#include "winservices/api_window.h"
#include "winservices/skin.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kRunTime = std::chrono::seconds(2);
constexpr auto kStillTime = std::chrono::seconds(5);

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// A screen-filling chart of vertical bands; every two neighbouring stops of
// the drag differ in all three components, so each sample changes the
// colour and every slider of the advanced view. It runs in a process of its
// own, as the screen under a picker does: its repaints are not the picker's.
constexpr int kBandWidth = 256;
constexpr std::array<COLORREF, 4> kBands = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(18, 52, 86),
                                            RGB(255, 128, 64)};
constexpr UINT kRecolourSpot = WM_APP; // wParam: colour, lParam: the spot's centre

struct ChartState {
    POINT spot{-100, -100};
    COLORREF spotColour = 0;
};
ChartState g_chart;

LRESULT CALLBACK ChartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(hwnd, &paint);
        RECT client;
        ::GetClientRect(hwnd, &client);
        for (int left = 0, band = 0; left < client.right; left += kBandWidth, ++band) {
            const RECT rect{left, 0, left + kBandWidth, client.bottom};
            const tk::unique_hbrush brush(::CreateSolidBrush(kBands[static_cast<std::size_t>(band) % kBands.size()]));
            ::FillRect(dc, &rect, brush.get());
        }
        const RECT spot{g_chart.spot.x - 2, g_chart.spot.y - 2, g_chart.spot.x + 3, g_chart.spot.y + 3};
        const tk::unique_hbrush brush(::CreateSolidBrush(g_chart.spotColour));
        ::FillRect(dc, &spot, brush.get());
        ::EndPaint(hwnd, &paint);
        return 0;
    }
    if (message == kRecolourSpot) {
        g_chart.spot = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        g_chart.spotColour = static_cast<COLORREF>(wParam);
        const RECT spot{g_chart.spot.x - 2, g_chart.spot.y - 2, g_chart.spot.x + 3, g_chart.spot.y + 3};
        ::InvalidateRect(hwnd, &spot, FALSE);
        ::UpdateWindow(hwnd);
        return 0;
    }
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// A chart of one-pixel columns, each of another colour, under the whole
// screen: a drag one pixel on at every step samples a new colour each time.
COLORREF StripeColour(int x)
{
    return static_cast<COLORREF>((static_cast<unsigned>(x) * 2654435761u) & 0xFFFFFF);
}

LRESULT CALLBACK StripesProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        for (int x = paint.rcPaint.left; x < paint.rcPaint.right; ++x) {
            const tk::unique_hbrush brush(CreateSolidBrush(StripeColour(x)));
            RECT column{x, paint.rcPaint.top, x + 1, paint.rcPaint.bottom};
            FillRect(dc, &column, brush.get());
        }
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

int RunChart(bool stripes)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = stripes ? &StripesProc : &ChartProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"BenchChart";
    ::RegisterClassW(&windowClass);
    HWND chart = ::CreateWindowExW(WS_EX_NOACTIVATE, L"BenchChart", L"Bench chart", WS_POPUP | WS_VISIBLE, 0, 0,
                                   ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ::UpdateWindow(chart);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&message);
    return 0;
}

// The chart process, started from this same program and ended with it.
class Chart {
public:
    // "chart" for the bands, "stripes" for the one-pixel columns.
    explicit Chart(const wchar_t* kind = L"chart") : m_kind(kind)
    {
        // A chart process that never reaches the screen is started once more.
        for (int attempt = 0; attempt < 2 && !Start(); ++attempt)
            Stop();
    }
    ~Chart() { Stop(); }
    Chart(const Chart&) = delete;
    Chart& operator=(const Chart&) = delete;
    HWND hwnd() const { return m_hwnd; }

private:
    // True once the second band shows white on the screen.
    bool Start()
    {
        wchar_t self[MAX_PATH]{};
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(self) + L"\" " + m_kind;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &m_process))
            return false;
        const auto limit = Clock::now() + std::chrono::seconds(20);
        while (Clock::now() < limit) {
            m_hwnd = ::FindWindowW(L"BenchChart", nullptr);
            const COLORREF expected = m_kind == L"stripes" ? StripeColour(kBandWidth + 50) : kBands[1];
            if (m_hwnd && GetScreenPixel(kBandWidth + 50, 50) == static_cast<ColorValue>(expected))
                return true;
            ::Sleep(20);
        }
        std::fprintf(stderr, "the chart did not reach the screen\n");
        return false;
    }
    void Stop()
    {
        if (!m_process.hProcess)
            return;
        if (m_hwnd)
            ::PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.hProcess, 0);
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
        m_process = {};
        m_hwnd = nullptr;
    }

    std::wstring m_kind;
    PROCESS_INFORMATION m_process{};
    HWND m_hwnd = nullptr;
};

// Where the window's left edge stands at each stop: one stop per band, each
// farther from the last than the window is wide, so the view-finder always
// lands on chart that no window covered a moment before.
constexpr int kStopTop = 400;
constexpr POINT kGrab{100, 100}; // where the cursor holds the window
int StopLeft(long stop)
{
    return static_cast<int>(stop % static_cast<long>(kBands.size())) * kBandWidth + 10;
}
void CursorToStop(long stop)
{
    ::SetCursorPos(StopLeft(stop) + kGrab.x, kStopTop + kGrab.y);
}

// The same platform work as one drag iteration over the chart, nothing else:
// cursor read, window move, a pixel read through a fresh display DC, a
// message pump; the cursor is carried to the next band as in the drag.
double FloorLoop()
{
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, StopLeft(0), kStopTop, 233,
                                  245, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    DEVMODEA zero{};
    long iterations = 0;
    CursorToStop(0);
    const auto start = Clock::now();
    while (Clock::now() - start < kRunTime) {
        POINT cursor{};
        GetCursorPos(&cursor);
        SetWindowPos(window, nullptr, cursor.x - kGrab.x, cursor.y - kGrab.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const tk::unique_hdc display(CreateDCA("DISPLAY", "0", "0", &zero));
        GetPixel(display.get(), cursor.x - kGrab.x + FrmMain::kSampleX, cursor.y - kGrab.y + FrmMain::kSampleY);
        ++iterations;
        CursorToStop(iterations);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    const double rate = iterations / Seconds(Clock::now() - start);
    DestroyWindow(window);
    return rate;
}

// Ends a drag from outside after a while, as the mouse's release would.
class Release {
public:
    Release(HWND skin, Clock::duration after)
        : m_thread([skin, after] {
              std::this_thread::sleep_for(after);
              PostMessageW(skin, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
          })
    {
    }
    ~Release() { m_thread.join(); }

private:
    std::thread m_thread;
};

struct DragFigures {
    long reads = 0;
    long changes = 0;
    double seconds = 0;
    double Rate() const { return changes / seconds; }
};

// The real drag loop over the chart, the cursor carried to the next band at
// every sample, so every sample brings a new colour.
DragFigures ChangingDrag(bool advancedOpen)
{
    FrmMain& picker = *frmMain;
    picker.Show();
    if (advancedOpen) {
        frmAdvanced->ShowWindow(0);
        frmAdvanced->MovePixels(10, 10); // clear of the stops
    }
    picker.MovePixels(StopLeft(0), kStopTop);
    CursorToStop(0);
    tk::DoEvents();
    DragFigures figures;
    ColorValue previous = picker.LastColor();
    picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        const ColorValue colour = GetScreenPixel(x, y);
        ++figures.reads;
        if (colour != previous)
            ++figures.changes;
        previous = colour;
        CursorToStop(figures.reads);
        return colour;
    });
    {
        const Release release(picker.Skin().hWnd(), kRunTime);
        const auto start = Clock::now();
        picker.EventButtonDown();
        figures.seconds = Seconds(Clock::now() - start);
    }
    picker.Uscita();
    tk::CollectRetiredForms();
    return figures;
}

double CpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
}

// The button held down over a still chart with a still cursor: what the drag
// costs while nothing changes, and how soon after a colour changes on the
// screen under the still window the picker shows it.
void StillDrag(HWND chart)
{
    FrmMain& picker = *frmMain;
    picker.Show();
    picker.MovePixels(StopLeft(2), kStopTop);
    CursorToStop(2);
    tk::DoEvents();
    constexpr int kRecolours = 10;
    const auto recolour = [](int i) { return i % 2 ? RGB(200, 10, 10) : RGB(10, 200, 10); };
    std::atomic<long> reads{0};
    std::array<Clock::time_point, kRecolours> onScreen{};
    std::array<Clock::time_point, kRecolours> shown{};
    picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        const ColorValue colour = GetScreenPixel(x, y);
        ++reads;
        for (int i = 0; i < kRecolours; ++i)
            if (colour == static_cast<ColorValue>(recolour(i)) && shown[static_cast<std::size_t>(i)] == Clock::time_point{}
                && colour != picker.LastColor())
                shown[static_cast<std::size_t>(i)] = Clock::now();
        return colour;
    });
    const HWND skin = picker.Skin().hWnd();
    const POINT sample{StopLeft(2) + FrmMain::kSampleX, kStopTop + FrmMain::kSampleY};
    double cpu = 0;
    double wall = 0;
    long stillReads = 0;
    std::thread hand([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const long readsBefore = reads;
        const double cpuBefore = CpuSeconds();
        const auto start = Clock::now();
        std::this_thread::sleep_for(kStillTime);
        cpu = CpuSeconds() - cpuBefore;
        wall = Seconds(Clock::now() - start);
        stillReads = reads - readsBefore;
        // Then the chart under the still window is recoloured; the time
        // counts from the moment the screen shows it.
        for (int i = 0; i < kRecolours; ++i) {
            SendMessageW(chart, kRecolourSpot, recolour(i), MAKELPARAM(sample.x, sample.y));
            const auto limit = Clock::now() + std::chrono::seconds(1);
            while (GetScreenPixel(sample.x, sample.y) != static_cast<ColorValue>(recolour(i)) && Clock::now() < limit)
                ;
            onScreen[static_cast<std::size_t>(i)] = Clock::now();
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
        PostMessageW(skin, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    });
    picker.EventButtonDown();
    hand.join();
    picker.Uscita();
    tk::CollectRetiredForms();
    std::vector<double> latencies;
    int missed = 0;
    for (int i = 0; i < kRecolours; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (shown[index] == Clock::time_point{})
            ++missed;
        else
            latencies.push_back(std::max(0.0, Seconds(shown[index] - onScreen[index]) * 1000));
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("held-still drag: %.1f %% of a core over %.1f s (%.0f ms CPU), %ld samples (%.0f/s) "
                "(target at most 5 %%)\n",
                100.0 * cpu / wall, wall, cpu * 1000, stillReads, stillReads / wall);
    std::printf("a colour changing under the still window: shown %.1f ms after it reached the screen "
                "(median of %zu, worst %.1f ms, %d missed) (target within one frame, %.1f ms)\n",
                latencies.empty() ? -1.0 : latencies[latencies.size() / 2], latencies.size(),
                latencies.empty() ? -1.0 : latencies.back(), missed, 1000.0 / 60);
}

void Loop()
{
    const Chart chart;
    tk::DoEvents();
    const double floor = FloorLoop();
    const DragFigures closed = ChangingDrag(false);
    const DragFigures open = ChangingDrag(true);
    std::printf("floor (cursor, move between bands, pixel read, pump): %.0f iterations/s\n", floor);
    std::printf("changing-colour drag, advanced view closed: %.1f samples/s (%ld of %ld samples changed colour)\n",
                closed.Rate(), closed.changes, closed.reads);
    std::printf("changing-colour drag, advanced view open: %.1f samples/s, %.1f ms per colour change "
                "(%ld of %ld samples changed colour)\n",
                open.Rate(), 1000.0 / open.Rate(), open.changes, open.reads);
    std::printf("ratios: closed/floor %.2f (target at least 0.50), open/closed %.2f (target at least 0.80)\n",
                closed.Rate() / floor, open.Rate() / closed.Rate());
    StillDrag(chart.hwnd());
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
        std::sort(times.begin(), times.end());
        std::printf("skin at %u dpi: %.1f ms (median of 5)\n", dpi, times[times.size() / 2]);
    }
}

// Milliseconds from process creation until the program's window is visible.
double StartOnce(const std::wstring& exe, const std::wstring& className, const std::wstring& title)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"\"" + exe + L"\"";
    const auto start = Clock::now();
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    while (Clock::now() - start < std::chrono::seconds(20)) {
        const HWND window = FindWindowW(className.c_str(), title.c_str());
        if (window && IsWindowVisible(window))
            break;
        Sleep(1);
    }
    const double milliseconds = Seconds(Clock::now() - start) * 1000.0;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return milliseconds;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The picker and the minimal window started in turns, so a busy moment of
// the machine falls on both alike; the medians of the same run are compared.
int Startup(const std::wstring& picker, const std::wstring& minimal)
{
    constexpr int kRuns = 9;
    std::vector<double> pickerTimes;
    std::vector<double> minimalTimes;
    for (int run = 0; run < kRuns; ++run) {
        pickerTimes.push_back(StartOnce(picker, L"TavoliskForm", L"Tavolisk"));
        minimalTimes.push_back(StartOnce(minimal, L"BenchMinimal", L"Minimal"));
    }
    const double p = Median(pickerTimes);
    const double m = Median(minimalTimes);
    std::printf("start-up to a visible window (median of %d, started in turns): picker %.1f ms, minimal window "
                "%.1f ms, ratio %.2f (target at most 1.20)\n",
                kRuns, p, m, p / m);
    return 0;
}


struct LensFigures {
    double rate;       // iterations per second
    double cpuMicros;  // this process's processor time per iteration
    double changed;    // the share of samples that brought a new colour
};

// Drag iterations per second over the stripes: every sample moves the mouse
// one pixel on (back and forth over 200 pixels), so every step of the drag
// samples a new colour and redraws the swatch, the fields and the lens.
LensFigures LensDrag(bool withLens)
{
    FrmMain& picker = *frmMain;
    picker.MovePixels(200, 200);
    picker.Show();
    if (withLens) {
        const POINT corner = picker.PositionPixels();
        OpenZoomLens(picker.hWnd(), {corner.x + picker.SampleOffset().x, corner.y + picker.SampleOffset().y});
    }
    const POINT grip{200 + 105, 200 + 55};
    SetCursorPos(grip.x, grip.y);
    long iterations = 0;
    long changes = 0;
    ColorValue previous = -2;
    picker.SetPixelReader([&, grip](std::int32_t x, std::int32_t y) {
        ++iterations;
        const int offset = static_cast<int>(iterations % 400);
        SetCursorPos(grip.x + (offset < 200 ? offset : 400 - offset), grip.y);
        const ColorValue colour = GetScreenPixel(x, y);
        if (colour != previous)
            ++changes;
        previous = colour;
        return colour;
    });
    tk::DoEvents();
    const HWND skin = picker.Skin().hWnd();
    std::thread release([skin] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        PostMessageW(skin, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    });
    iterations = 0;
    changes = 0;
    const auto start = Clock::now();
    const double cpuStart = CpuSeconds();
    picker.EventButtonDown();
    const LensFigures figures{iterations / Seconds(Clock::now() - start),
                              (CpuSeconds() - cpuStart) * 1e6 / static_cast<double>(iterations),
                              static_cast<double>(changes) / static_cast<double>(std::max(iterations, 1L))};
    release.join();
    picker.Uscita();
    tk::CollectRetiredForms();
    return figures;
}

void LensCost()
{
    // In a process of its own, as for the drag above: the columns a move
    // uncovers are repainted there at once, not after this drag's sample.
    const Chart stripes(L"stripes");
    tk::DoEvents();
    // Short runs side by side, in alternating order, and medians of the
    // pairs: a busy moment of the shared machine weighs on one pair. The
    // processor time of this process per iteration is the steadier figure
    // when other work shares the machine; the rate is what the user gets.
    std::vector<double> rateCosts;
    std::vector<double> cpuCosts;
    std::vector<double> rates[2];
    std::vector<double> cpu[2];
    std::vector<double> changed;
    for (int round = 0; round < 9; ++round) {
        const bool lensFirst = round % 2 == 1;
        const LensFigures first = LensDrag(lensFirst);
        const LensFigures second = LensDrag(!lensFirst);
        const LensFigures& without = lensFirst ? second : first;
        const LensFigures& with = lensFirst ? first : second;
        rates[0].push_back(without.rate);
        rates[1].push_back(with.rate);
        cpu[0].push_back(without.cpuMicros);
        cpu[1].push_back(with.cpuMicros);
        changed.push_back(std::min(without.changed, with.changed));
        rateCosts.push_back((without.rate - with.rate) / without.rate * 100.0);
        cpuCosts.push_back((with.cpuMicros - without.cpuMicros) / without.cpuMicros * 100.0);
    }
    std::printf("changing-colour drag (medians of 9 pairs of 1 s runs): %.0f iterations/s without the lens, %.0f "
                "with it, %.1f %% slower; processor time %.0f us/iteration without, %.0f with, %.1f %% more "
                "(target at most 10 %%); %.0f %% of samples brought a new colour\n",
                Median(rates[0]), Median(rates[1]), Median(rateCosts), Median(cpu[0]), Median(cpu[1]),
                Median(cpuCosts), 100.0 * *std::min_element(changed.begin(), changed.end()));
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"loop") {
        Loop();
        return 0;
    }
    if (mode == L"chart" || mode == L"stripes")
        return RunChart(mode == L"stripes");
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
    if (mode == L"startup" && argc == 4)
        return Startup(argv[2], argv[3]);
    if (mode == L"startup" && argc == 5) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run)
            times.push_back(StartOnce(argv[2], argv[3], argv[4]));
        std::printf("%.1f\n", Median(times));
        return 0;
    }
    std::fprintf(stderr, "usage: bench loop | region | lens | skins | startup <picker exe> <minimal exe> | "
                         "startup <exe> <class> <title>\n");
    return 2;
}
