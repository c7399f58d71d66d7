// The drags the bench times, each over a chart in a process of its own.
#include "drags.h"

#include "advanced/frm_advanced.h"
#include "colour/mouse_function.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/zoom_lens.h"
#include "support/timing.h"
#include "toolkit/handles.h"
#include "toolkit/window.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

namespace bench {

namespace {

using tktest::Clock;
using tktest::Seconds;
constexpr auto kRunTime = std::chrono::seconds(2);
constexpr auto kStillTime = std::chrono::seconds(3);

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

// Ends a drag from inside its own loop after a while, as the mouse's release would.
tktest::ThreadTimer ReleaseAfter(HWND skin, std::chrono::milliseconds after)
{
    return tktest::ThreadTimer(static_cast<UINT>(after.count()),
                               [skin] { ::PostMessageW(skin, WM_LBUTTONUP, 0, MAKELPARAM(200, 200)); });
}

// Copies of a window's children (the skin's picture box as a STATIC, the
// fields as EDITs), at the same places with the same window styles and texts.
void CloneChildren(HWND source, HWND target, int& count)
{
    for (HWND child = ::GetWindow(source, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64]{};
        ::GetClassNameW(child, name, 64);
        const bool edit = ::lstrcmpiW(name, L"Edit") == 0;
        RECT place{};
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, source, reinterpret_cast<POINT*>(&place), 2);
        // The low half of a style is the class's own: a STATIC gets none of another class's.
        DWORD style = static_cast<DWORD>(::GetWindowLongW(child, GWL_STYLE));
        if (!edit)
            style &= 0xFFFF0000;
        wchar_t text[64]{};
        ::GetWindowTextW(child, text, 64);
        const HWND copy = ::CreateWindowExW(static_cast<DWORD>(::GetWindowLongW(child, GWL_EXSTYLE)),
                                            edit ? L"EDIT" : L"STATIC", text, style, place.left, place.top,
                                            place.right - place.left, place.bottom - place.top, target, nullptr,
                                            ::GetModuleHandleW(nullptr), nullptr);
        if (!copy)
            continue;
        ++count;
        CloneChildren(child, copy, count);
    }
}

struct FieldSearch {
    std::wstring text;
    HWND found = nullptr;
};

BOOL CALLBACK FindField(HWND child, LPARAM data)
{
    auto& wanted = *reinterpret_cast<FieldSearch*>(data);
    wchar_t name[16]{};
    wchar_t text[64]{};
    ::GetClassNameW(child, name, 16);
    ::GetWindowTextW(child, text, 64);
    if (::lstrcmpiW(name, tk::kTextFieldClass) == 0 && wanted.text == text)
        wanted.found = child;
    return wanted.found ? FALSE : TRUE;
}

// The Web field: the picker's edit that shows the Web text.
HWND WebField(FrmMain& picker)
{
    FieldSearch search{picker.FieldText(0)};
    ::EnumChildWindows(picker.hWnd(), &FindField, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CloseEvent(HANDLE event) noexcept
{
    ::CloseHandle(event);
}

// Watches the Web field's text from inside its window procedure: the moment
// an awaited text is set, the waiting thread is woken.
struct WebWatch {
    WNDPROC previous = nullptr;
    HANDLE shown = nullptr;
    std::atomic<const wchar_t*> awaited{nullptr};
    std::atomic<long long> shownAt{0}; // Clock ticks
};
WebWatch g_watch;

LRESULT CALLBACK WatchWebField(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::CallWindowProcW(g_watch.previous, window, message, wParam, lParam);
    const wchar_t* awaited = g_watch.awaited;
    if (message == WM_SETTEXT && awaited && lParam && std::wstring(awaited) == reinterpret_cast<const wchar_t*>(lParam)) {
        g_watch.shownAt = Clock::now().time_since_epoch().count();
        ::SetEvent(g_watch.shown);
    }
    return result;
}

std::wstring WebText(COLORREF colour)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

} // namespace

int DisplayHertz()
{
    const tk::WindowDC screen;
    const int hertz = ::GetDeviceCaps(screen, VREFRESH);
    // 0 and 1 stand for the hardware's default rate, which is not told.
    return hertz > 1 ? hertz : 60;
}

SampleRate FloorDrag(FloorWindow& window)
{
    FrmMain& picker = *frmMain;
    picker.Show();
    tk::DoEvents();
    RECT outer{};
    ::GetWindowRect(picker.hWnd(), &outer);
    const tk::unique_hwnd floor(::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP, StopLeft(0), kStopTop,
                                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                                  ::GetModuleHandleW(nullptr), nullptr));
    window.children = 0;
    CloneChildren(picker.hWnd(), floor.get(), window.children);
    tk::unique_hrgn region(::CreateRectRgn(0, 0, 0, 0));
    window.regioned = ::GetWindowRgn(picker.hWnd(), region.get()) != ERROR
                      && ::SetWindowRgn(floor.get(), region.release(), TRUE);
    picker.Uscita();
    tk::CollectRetiredForms();
    ::ShowWindow(floor.get(), SW_SHOWNOACTIVATE);
    CursorToStop(0);
    tk::DoEvents();

    SampleRate rate;
    ColorValue previous = -2;
    const auto start = Clock::now();
    while (Clock::now() - start < kRunTime) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        const POINT corner{cursor.x - kGrab.x, cursor.y - kGrab.y};
        ::SetWindowPos(floor.get(), nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const ColorValue colour = GetScreenPixel(corner.x + FrmMain::kSampleX, corner.y + FrmMain::kSampleY);
        ++rate.samples;
        rate.changes += colour != previous ? 1 : 0;
        previous = colour;
        CursorToStop(rate.samples);
        tk::DoEvents();
    }
    rate.seconds = Seconds(Clock::now() - start);
    return rate;
}

SampleRate ChangingDrag(bool advancedOpen)
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
    SampleRate rate;
    ColorValue previous = picker.LastColor();
    picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        const ColorValue colour = GetScreenPixel(x, y);
        ++rate.samples;
        rate.changes += colour != previous ? 1 : 0;
        previous = colour;
        CursorToStop(rate.samples);
        return colour;
    });
    {
        const tktest::ThreadTimer release = ReleaseAfter(picker.Skin().hWnd(), kRunTime);
        const auto start = Clock::now();
        picker.EventButtonDown();
        rate.seconds = Seconds(Clock::now() - start);
    }
    picker.Uscita();
    tk::CollectRetiredForms();
    return rate;
}

StillFigures HeldStillDrag(const ChartProcess& chart, bool advancedOpen)
{
    FrmMain& picker = *frmMain;
    picker.Show();
    if (advancedOpen) {
        frmAdvanced->ShowWindow(0);
        frmAdvanced->MovePixels(10, 10);
    }
    picker.MovePixels(StopLeft(2), kStopTop);
    CursorToStop(2);
    tk::DoEvents();
    const POINT sample{StopLeft(2) + FrmMain::kSampleX, kStopTop + FrmMain::kSampleY};
    constexpr int kRecolours = 40;
    // Two colours in turn, none of them the band's, every component two hex digits.
    std::array<std::wstring, 2> texts{WebText(RGB(200, 30, 40)), WebText(RGB(30, 200, 60))};
    const std::array<COLORREF, 2> colours{RGB(200, 30, 40), RGB(30, 200, 60)};

    std::atomic<long> samples{0};
    picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        ++samples;
        return GetScreenPixel(x, y);
    });
    picker.RefreshColor(); // a sample's text in every field, the Web one unlike the others
    const HWND field = WebField(picker);
    if (!field)
        std::fprintf(stderr, "the picker's Web field was not found: no change can be timed\n");
    const tk::unique_handle<HANDLE, &CloseEvent> shown(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    g_watch.shown = shown.get();
    g_watch.previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchWebField)));

    StillFigures figures;
    const HWND skin = picker.Skin().hWnd();
    std::thread hand([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const long samplesBefore = samples;
        const double cpuBefore = tktest::CpuSeconds();
        const auto start = Clock::now();
        std::this_thread::sleep_for(kStillTime);
        figures.cpuShare = (tktest::CpuSeconds() - cpuBefore) / Seconds(Clock::now() - start);
        figures.stillSeconds = Seconds(Clock::now() - start);
        figures.stillSamples = samples - samplesBefore;
        for (int i = 0; i < kRecolours; ++i) {
            const auto index = static_cast<std::size_t>(i % 2);
            g_watch.awaited = texts[index].c_str();
            const auto asked = Clock::now();
            chart.Recolour(sample, colours[index]);
            if (::WaitForSingleObject(g_watch.shown, 1000) == WAIT_OBJECT_0)
                figures.latencies.push_back(
                    Seconds(Clock::duration(g_watch.shownAt.load()) - asked.time_since_epoch()) * 1000.0);
            else
                ++figures.missed;
            g_watch.awaited = nullptr;
            // The next change comes at another point of the display frame.
            std::this_thread::sleep_for(std::chrono::milliseconds(40 + (i * 7) % 17));
        }
        ::PostMessageW(skin, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
    });
    picker.EventButtonDown();
    hand.join();
    ::SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_watch.previous));
    g_watch.shown = nullptr;
    picker.Uscita();
    tk::CollectRetiredForms();
    return figures;
}

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
    ::SetCursorPos(grip.x, grip.y);
    long samples = 0;
    long changes = 0;
    ColorValue previous = -2;
    picker.SetPixelReader([&, grip](std::int32_t x, std::int32_t y) {
        ++samples;
        const int offset = static_cast<int>(samples % 400);
        ::SetCursorPos(grip.x + (offset < 200 ? offset : 400 - offset), grip.y);
        const ColorValue colour = GetScreenPixel(x, y);
        changes += colour != previous ? 1 : 0;
        previous = colour;
        return colour;
    });
    tk::DoEvents();
    samples = 0;
    changes = 0;
    const long readsBefore = withLens ? frmZoom->Reads() : 0;
    const long paintsBefore = withLens ? frmZoom->Paints() : 0;
    LensFigures figures;
    {
        const tktest::ThreadTimer release = ReleaseAfter(picker.Skin().hWnd(), std::chrono::seconds(1));
        const auto start = Clock::now();
        const double cpuStart = tktest::CpuSeconds();
        picker.EventButtonDown();
        figures.seconds = Seconds(Clock::now() - start);
        figures.cpuMicros = (tktest::CpuSeconds() - cpuStart) * 1e6 / static_cast<double>(std::max(samples, 1L));
    }
    figures.rate = samples / figures.seconds;
    figures.changed = static_cast<double>(changes) / static_cast<double>(std::max(samples, 1L));
    if (withLens && IsZoomLensOpen()) {
        figures.lensReads = frmZoom->Reads() - readsBefore;
        figures.lensPaints = frmZoom->Paints() - paintsBefore;
    }
    picker.Uscita();
    tk::CollectRetiredForms();
    return figures;
}

} // namespace bench
