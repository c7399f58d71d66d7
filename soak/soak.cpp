// Soak and fault checks of the real windows under long use: long drags over a
// changing chart, open/close churn of every window, the colour dialog over and
// over, and faults in the middle of a drag. One line per check with its
// figures and "ok" or "FAIL"; --quick runs the short versions.
#include "advanced/cdlg.h"
#include "advanced/frm_advanced.h"
#include "colour/mouse_function.h"
#include "info/frm_about.h"
#include "info/frm_help.h"
#include "mainwindow/frm_main.h"
#include "support/advanced_access.h"
#include "support/modal.h"
#include "support/pixels.h"
#include "support/pump.h"
#include "toolkit/form.h"
#include "toolkit/window.h"
#include "winservices/api_window.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sizes {
    long dragIterations;
    long advancedDragIterations;
    int advancedCycles;
    int helpCycles;
    int aboutCycles;
    int dialogCycles;
};
constexpr Sizes kFull{100000, 300, 10000, 1000, 1000, 200};
constexpr Sizes kQuick{2000, 20, 30, 50, 50, 20};

// What may grow over a whole check, however long: one-time caches of the
// system, never anything per iteration.
constexpr int kTableSlack = 64;
constexpr int kWindowSlack = 0;
constexpr double kMemorySlackMiB = 4.0;

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// ---------------------------------------------------------------- reporting

int g_checks = 0;
int g_failures = 0;

void Report(bool ok, const std::string& name, const std::string& detail)
{
    ++g_checks;
    if (!ok)
        ++g_failures;
    std::printf("%s %s: %s\n", ok ? "ok  " : "FAIL", name.c_str(), detail.c_str());
    std::fflush(stdout);
}

void Note(const std::string& text)
{
    std::printf("     %s\n", text.c_str());
    std::fflush(stdout);
}

// Long checks tell how far they are and how fast they go lately, so a run
// that slows down as it goes shows it.
class Progress {
public:
    Progress(const char* check, long total) : m_check(check), m_total(total), m_last(Clock::now()) {}
    void Done(long count)
    {
        if (m_total < 5000 || count % (m_total / 10) != 0 || count == m_total)
            return;
        const auto now = Clock::now();
        const double each = Seconds(now - m_last) * 1000.0 / static_cast<double>(m_total / 10);
        m_last = now;
        char text[160];
        std::snprintf(text, sizeof text, "%s: %ld of %ld, lately %.2f ms each", m_check, count, m_total, each);
        Note(text);
    }

private:
    const char* m_check;
    long m_total;
    Clock::time_point m_last;
};

// Every error that reaches the program's unhandled-error path is counted
// instead of ending the process.
int g_errors = 0;
std::string g_lastError;

std::string ErrorsText(int before)
{
    const int count = g_errors - before;
    return "errors " + std::to_string(count) + (count ? " (last: " + g_lastError + ")" : "");
}

// A check that stops making progress ends the process with a FAIL line
// rather than hanging the test run; long checks beat as they go.
std::atomic<long long> g_deadline{0};
std::atomic<int> g_stallSeconds{60};
std::atomic<const char*> g_current{""};

long long NowMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

void Beat()
{
    g_deadline = NowMilliseconds() + g_stallSeconds * 1000LL;
}

void Watch(const char* check, int stallSeconds)
{
    g_current = check;
    g_stallSeconds = stallSeconds;
    Beat();
}

void StartWatchdog()
{
    std::thread([] {
        for (;;) {
            ::Sleep(250);
            const long long deadline = g_deadline;
            if (deadline && NowMilliseconds() > deadline) {
                std::printf("FAIL %s: no progress for %d s (hung)\n", g_current.load(), g_stallSeconds.load());
                std::printf("soak: %d checks, %d failed, then hung\n", g_checks, g_failures + 1);
                std::fflush(stdout);
                ::ExitProcess(3);
            }
        }
    }).detach();
}

// ---------------------------------------------------------------- measures

struct Figures {
    DWORD gdiObjects = 0;  // GetGuiResources: 0 where the system does not count
    DWORD userObjects = 0;
    int gdiTable = 0;      // the highest GDI handle index a probe is given
    int userTable = 0;     // the same for USER handles (windows, menus, cursors)
    int windows = 0;       // windows of this process, children included
    double privateMiB = 0; // committed private memory
};

// Handle tables hand out freed entries first and new ones only when none is
// free, so the highest index a burst of fresh handles gets is the table's
// high-water mark: flat when nothing leaks, climbing by every leaked handle.
template <class Create, class Destroy>
int TableHighWater(Create create, Destroy destroy)
{
    constexpr int kProbe = 2048;
    std::vector<decltype(create())> handles;
    handles.reserve(kProbe);
    int highest = 0;
    for (int i = 0; i < kProbe; ++i) {
        const auto handle = create();
        if (!handle)
            break;
        highest = std::max(highest, static_cast<int>(reinterpret_cast<ULONG_PTR>(handle) & 0xFFFF));
        handles.push_back(handle);
    }
    for (const auto handle : handles)
        destroy(handle);
    return highest;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM count)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process == ::GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        ::EnumChildWindows(hwnd, &CountWindow, count);
    }
    return TRUE;
}

// Wine answers 0 for the private usage of GetProcessMemoryInfo; walking the
// address space works everywhere.
double PrivateMiB()
{
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* address = nullptr;
         ::VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        if (region.RegionSize == 0)
            break;
    }
    return static_cast<double>(total) / (1024.0 * 1024.0);
}

Figures Measure()
{
    tk::DoEvents();
    Figures figures;
    figures.gdiObjects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    figures.userObjects = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    figures.gdiTable = TableHighWater([] { return ::CreateRectRgn(0, 0, 1, 1); },
                                      [](HRGN region) { ::DeleteObject(region); });
    figures.userTable = TableHighWater([] { return ::CreatePopupMenu(); }, [](HMENU menu) { ::DestroyMenu(menu); });
    ::EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&figures.windows));
    figures.privateMiB = PrivateMiB();
    return figures;
}

std::string Fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Arrow(long long before, long long after)
{
    return std::to_string(before) + " -> " + std::to_string(after);
}

// The figures of a check and whether they stayed flat.
bool Flat(const Figures& before, const Figures& after, std::string& text)
{
    text.clear();
    if (before.gdiObjects || after.gdiObjects)
        text += "GDI objects " + Arrow(before.gdiObjects, after.gdiObjects) + ", USER objects "
                + Arrow(before.userObjects, after.userObjects) + ", ";
    text += "GDI table " + Arrow(before.gdiTable, after.gdiTable) + ", USER table "
            + Arrow(before.userTable, after.userTable) + ", windows " + Arrow(before.windows, after.windows)
            + ", private " + Fixed(before.privateMiB, 1) + " -> " + Fixed(after.privateMiB, 1) + " MiB";
    bool flat = after.gdiTable - before.gdiTable <= kTableSlack && after.userTable - before.userTable <= kTableSlack
                && after.windows - before.windows <= kWindowSlack
                && after.privateMiB - before.privateMiB <= kMemorySlackMiB;
    if (before.gdiObjects || after.gdiObjects)
        flat = flat && static_cast<long>(after.gdiObjects) - static_cast<long>(before.gdiObjects) <= kTableSlack
               && static_cast<long>(after.userObjects) - static_cast<long>(before.userObjects) <= kTableSlack;
    if (!flat)
        text += " (grew beyond the allowed constant)";
    return flat;
}

// ---------------------------------------------------------------- pumping and timers

using tktest::PumpUntil;

void PumpFor(int milliseconds)
{
    tktest::Pump(milliseconds);
}

// Thread timers with actions: they fire inside whatever message loop runs at
// the time (the drag loop's, a menu's, a modal form's, a dialog's).
std::map<UINT_PTR, std::pair<std::function<void()>, bool>> g_timers;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    const auto found = g_timers.find(id);
    if (found == g_timers.end())
        return;
    const std::function<void()> action = found->second.first;
    if (!found->second.second) {
        ::KillTimer(nullptr, id);
        g_timers.erase(found);
    }
    action();
}

UINT_PTR After(int milliseconds, std::function<void()> action, bool repeat = false)
{
    const UINT_PTR id = ::SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), &OnTimer);
    g_timers[id] = {std::move(action), repeat};
    return id;
}

void Cancel(UINT_PTR id)
{
    ::KillTimer(nullptr, id);
    g_timers.erase(id);
}

// ---------------------------------------------------------------- the chart

// A screen-filling chart of stripes whose colours shift on a timer, so the
// view-finder finds a changing screen wherever it is.
class Chart {
public:
    Chart()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &Chart::Proc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"SoakChart";
        ::RegisterClassW(&windowClass);
        m_hwnd = ::CreateWindowExW(WS_EX_NOACTIVATE, L"SoakChart", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                   ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
    }
    ~Chart() { ::DestroyWindow(m_hwnd); }
    Chart(const Chart&) = delete;
    Chart& operator=(const Chart&) = delete;

    HWND hwnd() const { return m_hwnd; }

    void Animate(bool on)
    {
        if (on)
            ::SetTimer(m_hwnd, 1, 10, nullptr);
        else
            ::KillTimer(m_hwnd, 1);
    }

    static COLORREF StripeColour(int stripe, int phase)
    {
        const int k = stripe + phase;
        return RGB((k * 37) & 255, (k * 91 + 40) & 255, (k * 53 + 80) & 255);
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<Chart*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == WM_TIMER && self) {
            ++self->m_phase;
            ::InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        }
        if (message == WM_PAINT) {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(hwnd, &paint);
            RECT client;
            ::GetClientRect(hwnd, &client);
            for (int left = 0, stripe = 0; left < client.right; left += kStripe, ++stripe) {
                const RECT rect{left, 0, left + kStripe, client.bottom};
                HBRUSH brush = ::CreateSolidBrush(StripeColour(stripe, self ? self->m_phase : 0));
                ::FillRect(dc, &rect, brush);
                ::DeleteObject(brush);
            }
            ::EndPaint(hwnd, &paint);
            return 0;
        }
        if (message == WM_MOUSEACTIVATE)
            return MA_NOACTIVATE;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static constexpr int kStripe = 24;
    HWND m_hwnd = nullptr;
    int m_phase = 0;
};

Chart* g_chart = nullptr;

int ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }

// The pixel as a GetDC(NULL) read gives it: -1 (CLR_INVALID) off the screen.
ColorValue ReadThroughScreenDC(std::int32_t x, std::int32_t y)
{
    return static_cast<ColorValue>(tktest::ScreenPixel(x, y));
}

FrmMain& Picker()
{
    FrmMain& picker = *frmMain;
    if (!::IsWindowVisible(picker.hWnd()))
        picker.Show();
    return picker;
}

// Places the picker and the cursor so that the cursor holds it at (grabX, grabY).
void PlacePicker(FrmMain& picker, int left, int top, int grabX, int grabY)
{
    picker.MovePixels(left, top);
    ::SetCursorPos(left + grabX, top + grabY);
    tk::DoEvents();
}

void PressOnSkin(FrmMain& picker, UINT message, WPARAM keys)
{
    ::PostMessageW(picker.Skin().hWnd(), message, keys, MAKELPARAM(200, 200));
}

// ---------------------------------------------------------------- long drag

struct DragResult {
    long reads = 0;
    long changes = 0;
    bool overran = false;
    double seconds = 0;
};

// The real drag loop over the animated chart, the cursor wandering so the
// window moves too; a posted release ends it once enough samples were read.
DragResult Drag(long iterations, Progress* progress = nullptr)
{
    FrmMain& picker = Picker();
    const HWND skin = picker.Skin().hWnd();
    PlacePicker(picker, 400, 300, 100, 100);
    DragResult result;
    ColorValue previous = picker.LastColor();
    picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        ++result.reads;
        if (progress)
            progress->Done(result.reads);
        if (result.reads % 32 == 0) {
            Beat();
            // Kept clear of the advanced view at the top left and on the screen.
            const double t = static_cast<double>(result.reads / 32);
            ::SetCursorPos(500 + static_cast<int>(200 * std::sin(t * 0.13)),
                           465 + static_cast<int>(120 * std::sin(t * 0.07)));
        }
        const ColorValue colour = GetScreenPixel(x, y);
        if (colour != previous)
            ++result.changes;
        previous = colour;
        if (result.reads >= iterations && (result.reads - iterations) % 1000 == 0) {
            result.overran = result.reads > iterations;
            ::PostMessageW(skin, WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
        }
        return colour;
    });
    const auto start = Clock::now();
    picker.EventButtonDown();
    result.seconds = Seconds(Clock::now() - start);
    picker.SetPixelReader(&GetScreenPixel);
    return result;
}

void CheckLongDrag(long iterations)
{
    Watch("long drag", 60);
    g_chart->Animate(true);
    Drag(std::min<long>(iterations / 10, 1000)); // one-time allocations first
    const int errors = g_errors;
    const Figures before = Measure();
    Progress progress("long drag", iterations);
    const DragResult drag = Drag(iterations, &progress);
    const Figures after = Measure();
    g_chart->Animate(false);

    FrmMain& picker = *frmMain;
    std::string figures;
    const bool flat = Flat(before, after, figures);
    const bool ended = !picker.IsButtonDown() && !drag.overran && drag.reads >= iterations;
    const bool ok = flat && ended && drag.changes > 0 && g_errors == errors;
    Report(ok, "long drag",
           std::to_string(drag.reads) + " iterations in " + Fixed(drag.seconds, 1) + " s ("
               + Fixed(drag.reads / drag.seconds, 0) + "/s), " + std::to_string(drag.changes) + " colour changes, "
               + (ended ? "ended by the release" : "did not end at the release") + "; " + figures + ", "
               + ErrorsText(errors));
}

// With the advanced view open every changed sample reaches it too; each
// change redraws its strip, so this drag is shorter.
void CheckDragWithAdvanced(long iterations)
{
    Watch("drag with the advanced view open", 60);
    g_chart->Animate(true);
    frmAdvanced->ShowWindow(0);
    Drag(std::min<long>(iterations / 10, 20));
    const int errors = g_errors;
    const Figures before = Measure();
    const DragResult drag = Drag(iterations);
    const Figures after = Measure();
    g_chart->Animate(false);

    FrmMain& picker = *frmMain;
    std::string figures;
    const bool flat = Flat(before, after, figures);
    // The advanced view took every sampled colour, so it ends on the last one.
    const ColorValue advanced = FrmAdvancedTestAccess{*frmAdvanced}.Current();
    const bool followed = advanced == picker.LastColor();
    const bool ended = !picker.IsButtonDown() && !drag.overran && drag.reads >= iterations;
    const bool ok = flat && followed && ended && drag.changes > 0 && g_errors == errors;
    Report(ok, "drag with the advanced view open",
           std::to_string(drag.reads) + " iterations in " + Fixed(drag.seconds, 1) + " s ("
               + Fixed(drag.reads / drag.seconds, 1) + "/s), " + std::to_string(drag.changes)
               + " colour changes (" + Fixed(drag.seconds * 1000.0 / std::max<long>(drag.changes, 1), 1)
               + " ms each), advanced view "
               + (followed ? "followed" : "lost (" + std::to_string(advanced) + " against "
                                               + std::to_string(picker.LastColor()) + ")")
               + "; " + figures + ", " + ErrorsText(errors));
    frmAdvanced->Unload();
    tk::CollectRetiredForms();
}

// ---------------------------------------------------------------- churn

// What a run of open/close cycles of one window left: how many showed it, in
// what time, and whether the handle and memory figures stayed flat.
struct ChurnResult {
    int shown = 0;
    double seconds = 0;
    bool flat = false;
    std::string figures;
};

// A few cycles first (one-time allocations), then `afterWarmUp`, then the
// measured cycles between two readings of the figures.
ChurnResult Churn(const char* check, int warmUp, int cycles, const std::function<bool(int)>& cycle,
                  const std::function<void()>& afterWarmUp = {})
{
    for (int i = 0; i < warmUp; ++i)
        cycle(i);
    if (afterWarmUp)
        afterWarmUp();
    ChurnResult result;
    const Figures before = Measure();
    const auto start = Clock::now();
    Progress progress(check, cycles);
    for (int i = 0; i < cycles; ++i) {
        result.shown += cycle(i) ? 1 : 0;
        progress.Done(i + 1);
    }
    result.seconds = Seconds(Clock::now() - start);
    const Figures after = Measure();
    result.flat = Flat(before, after, result.figures);
    return result;
}

void CheckAdvancedChurn(int cycles)
{
    Watch("advanced view churn", 60);
    Picker();
    const int errors = g_errors;
    const ChurnResult churn = Churn("advanced view churn", 5, cycles, [](int i) {
        Beat();
        frmAdvanced->ShowWindow(Chart::StripeColour(i, i));
        tk::DoEvents();
        const bool shown = ::IsWindowVisible(frmAdvanced->hWnd()) != FALSE;
        frmAdvanced->Unload();
        tk::CollectRetiredForms();
        return shown;
    });
    const bool ok = churn.flat && churn.shown == cycles && !IsFormLoaded(L"frmAdvanced") && g_errors == errors;
    Report(ok, "advanced view churn",
           std::to_string(cycles) + " open/close cycles in " + Fixed(churn.seconds, 1) + " s, shown "
               + std::to_string(churn.shown) + "; " + churn.figures + ", " + ErrorsText(errors));
}

void CheckHelpChurn(int cycles)
{
    Watch("help churn", 60);
    FrmMain& picker = Picker();
    ::SetCursorPos(300, 300);
    const int errors = g_errors;
    const ChurnResult churn = Churn("help churn", 5, cycles, [&picker](int) {
        Beat();
        picker.MostraGuida();
        tk::DoEvents();
        const bool shown = frmHelp.Exists() && frmHelp->IsLoaded() && ::IsWindowVisible(frmHelp->hWnd());
        if (frmHelp.Exists())
            frmHelp->Unload();
        tk::CollectRetiredForms();
        return shown;
    });
    const bool ok = churn.flat && churn.shown == cycles && !IsFormLoaded(L"frmHelp") && g_errors == errors;
    Report(ok, "help churn",
           std::to_string(cycles) + " open/close cycles in " + Fixed(churn.seconds, 1) + " s, shown "
               + std::to_string(churn.shown) + "; " + churn.figures + ", " + ErrorsText(errors));
}

// About is modal: a timer inside its loop answers it, with Escape on even
// cycles and an Unload on odd ones. Escape that does not close it is a
// failure; the timer then unloads it so the run goes on.
void CheckAboutChurn(int cycles)
{
    Watch("about churn", 60);
    FrmMain& picker = Picker();
    int escapeFailures = 0;
    const int errors = g_errors;
    const ChurnResult churn = Churn(
        "about churn", 4, cycles,
        [&](int i) {
            Beat();
            bool escaped = false;
            const UINT_PTR answer = After(
                10,
                [&] {
                    if (!frmAbout.Exists() || !frmAbout->IsLoaded() || !::IsWindowVisible(frmAbout->hWnd()))
                        return;
                    if (i % 2 == 0 && !escaped) {
                        escaped = true;
                        ::PostMessageW(frmAbout->hWnd(), WM_KEYDOWN, VK_ESCAPE, 0);
                        ::PostMessageW(frmAbout->hWnd(), WM_KEYUP, VK_ESCAPE, 0);
                        return;
                    }
                    if (escaped)
                        ++escapeFailures; // still open a tick after Escape
                    frmAbout->Unload();
                },
                true);
            frmAbout->ShowModal();
            Cancel(answer);
            tk::CollectRetiredForms();
            return true; // ShowModal came back: the cycle was answered
        },
        [&] { escapeFailures = 0; });
    // The modal loop gave the input back to the main window each time.
    const bool mainEnabled = ::IsWindowEnabled(picker.hWnd()) != FALSE;
    const bool ok = churn.flat && churn.shown == cycles && escapeFailures == 0 && mainEnabled
                    && !IsFormLoaded(L"frmAbout") && g_errors == errors;
    Report(ok, "about churn",
           std::to_string(cycles) + " modal open/close cycles in " + Fixed(churn.seconds, 1) + " s, Escape failed "
               + std::to_string(escapeFailures) + " times, main window " + (mainEnabled ? "enabled" : "left disabled")
               + "; " + churn.figures + ", " + ErrorsText(errors));
}

// ---------------------------------------------------------------- colour dialog

HWND FindColourDialog()
{
    return tktest::FindDialog(::GetCurrentThreadId());
}

// Waits on a helper thread, without pumping, for a condition another thread brings about.
bool WaitFor(const std::function<bool()>& condition, int milliseconds)
{
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (Clock::now() > end)
            return false;
        ::Sleep(2);
    }
    return true;
}

void CheckColourDialog(int cycles)
{
    Watch("colour dialog", 60);
    CDlg dialog;
    dialog.FLAGS(CC_RGBINIT);
    // A second thread answers every dialog OK as it appears.
    const auto answerer = std::make_unique<tktest::DialogAnswer>(
        [](HWND found) { ::PostMessageW(found, WM_COMMAND, IDOK, 0); }, tktest::DialogAnswer::Repeat);
    int kept = 0;
    auto cycle = [&](int i) {
        Beat();
        const std::int32_t colour = static_cast<std::int32_t>(Chart::StripeColour(i, 3 * i));
        dialog.Color(colour);
        dialog.ShowColor();
        kept += dialog.Color() == colour ? 1 : 0;
    };
    for (int i = 0; i < 3; ++i)
        cycle(i);
    kept = 0;
    const int answeredBefore = answerer->Answers();
    const int errors = g_errors;
    const Figures before = Measure();
    const auto start = Clock::now();
    for (int i = 0; i < cycles; ++i)
        cycle(i);
    const double seconds = Seconds(Clock::now() - start);
    const Figures after = Measure();
    const int answered = answerer->Answers() - answeredBefore;
    std::string figures;
    const bool flat = Flat(before, after, figures);
    const bool ok = flat && kept == cycles && answered >= cycles && FindColourDialog() == nullptr
                    && g_errors == errors;
    Report(ok, "colour dialog",
           std::to_string(cycles) + " times on one CDlg in " + Fixed(seconds, 1) + " s, answered by the second thread "
               + std::to_string(answered) + " times, OK kept the colour " + std::to_string(kept) + " times; " + figures
               + ", " + ErrorsText(errors));
}

// ---------------------------------------------------------------- faults

void CheckCaptureLost()
{
    Watch("capture lost mid-drag", 30);
    FrmMain& picker = Picker();
    PlacePicker(picker, 400, 300, 150, 150);
    const int errors = g_errors;
    long reads = 0;
    long readsWhenTaken = -1;
    bool draggingWhenTaken = false;
    bool rescued = false;
    picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        ++reads;
        return GetScreenPixel(x, y);
    });
    After(300, [&] {
        draggingWhenTaken = picker.IsButtonDown();
        readsWhenTaken = reads;
        ::SetCapture(g_chart->hwnd());
    });
    const UINT_PTR rescue = After(8000, [&] {
        rescued = true;
        PressOnSkin(picker, WM_LBUTTONUP, 0);
    });
    PressOnSkin(picker, WM_LBUTTONDOWN, MK_LBUTTON);
    tk::DoEvents(); // the drag runs in here
    Cancel(rescue);
    const bool chartHasCapture = ::GetCapture() == g_chart->hwnd();
    ::ReleaseCapture();
    picker.SetPixelReader(&GetScreenPixel);
    // The loop finishes the iteration it is in, and no more.
    const long after = readsWhenTaken >= 0 ? reads - readsWhenTaken : -1;
    const bool ok = draggingWhenTaken && chartHasCapture && !rescued && !picker.IsButtonDown() && after >= 0
                    && after <= 1 && g_errors == errors;
    Report(ok, "capture lost mid-drag",
           std::string(draggingWhenTaken ? "taken during the drag" : "the drag was not running")
               + " after " + std::to_string(readsWhenTaken) + " iterations; the drag "
               + (rescued ? "was stuck until a rescue release" : "ended by itself") + " " + std::to_string(after)
               + " iteration(s) later, " + ErrorsText(errors));
}

void CheckExitFromPopupDuringDrag()
{
    Watch("Exit from a popup during a drag", 30);
    FrmMain& picker = Picker();
    frmAdvanced->ShowWindow(RGB(1, 2, 3));
    PlacePicker(picker, 400, 300, 150, 150);
    const int errors = g_errors;
    bool draggingAtMenu = false;
    bool answered = false;
    bool rescued = false;
    long reads = 0;
    picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        ++reads;
        return GetScreenPixel(x, y);
    });
    After(300, [&] {
        draggingAtMenu = picker.IsButtonDown();
        PressOnSkin(picker, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON);
    });
    const UINT_PTR rescue = After(10000, [&] {
        rescued = true;
        ::EndMenu();
        if (frmMain.Exists() && frmMain->IsLoaded())
            PressOnSkin(*frmMain, WM_LBUTTONUP, 0);
    });
    // Up from no selection lands on the last item, Exit.
    answered = tktest::AnswerMenu({VK_UP, VK_RETURN}, [&] {
                   PressOnSkin(picker, WM_LBUTTONDOWN, MK_LBUTTON);
                   tk::DoEvents(); // drag, menu and Exit all run in here
               }).seen;
    Cancel(rescue);
    const bool mainGone = !IsFormLoaded(L"frmMain");
    const bool advancedGone = !IsFormLoaded(L"frmAdvanced");
    const bool dragEnded = !picker.IsButtonDown(); // the form object is retired, not yet deleted
    const std::size_t left = tk::LoadedForms().size();
    tk::CollectRetiredForms();
    const bool ok = draggingAtMenu && answered && !rescued && mainGone && advancedGone && dragEnded && left == 0
                    && g_errors == errors;
    Report(ok, "Exit from a popup during a drag",
           std::string(draggingAtMenu ? "menu opened during the drag" : "the drag was not running at the menu")
               + ", " + (answered ? "Exit chosen" : "menu never seen") + "; main window "
               + (mainGone ? "unloaded" : "still loaded") + ", advanced view " + (advancedGone ? "unloaded" : "still loaded")
               + ", " + std::to_string(left) + " window(s) left, drag " + (dragEnded ? "ended" : "still running")
               + (rescued ? " (only after a rescue)" : "") + ", " + ErrorsText(errors));
}

// The view-finder dragged past each edge: there the read gives -1 and the
// fields show it; back on the screen the real colour returns. The advanced
// view, open all along, never takes -1.
void CheckOffScreen()
{
    Watch("view-finder off every edge", 60);
    FrmMain& picker = Picker();
    frmAdvanced->ShowWindow(RGB(40, 50, 60));
    const int width = ScreenWidth();
    const int height = ScreenHeight();
    struct Edge {
        const char* name;
        int grabX, grabY;   // the cursor's offset in the window
        int cursorX, cursorY; // where the cursor goes
    };
    const Edge edges[] = {
        {"left", 200, 150, 0, height / 2},
        {"right", 20, 150, width - 1, height / 2},
        {"top", 100, 200, width / 2, 0},
        {"bottom", 100, 20, width / 2, height - 1},
    };
    const ColorValue programOffScreen = GetScreenPixel(-100, -100);
    bool allOk = true;
    std::string detail;
    const int errors = g_errors;
    for (const Edge& edge : edges) {
        PlacePicker(picker, 400, 300, edge.grabX, edge.grabY);
        const POINT home{400 + edge.grabX, 300 + edge.grabY};
        long reads = 0;
        bool wentOff = false;
        ColorValue lastOff = 0;
        std::wstring fields[5];
        ColorValue advancedOff = -2;
        picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
            ++reads;
            const bool off = x < 0 || y < 0 || x >= width || y >= height;
            if (reads == 3)
                ::SetCursorPos(edge.cursorX, edge.cursorY);
            if (reads == 30) {
                // What the last iterations, all off the screen, left behind.
                wentOff = off;
                lastOff = picker.LastColor();
                for (int i = 0; i < 5; ++i)
                    fields[i] = picker.FieldText(i);
                advancedOff = FrmAdvancedTestAccess{*frmAdvanced}.Current();
                ::SetCursorPos(home.x, home.y);
            }
            if (reads == 60)
                PressOnSkin(picker, WM_LBUTTONUP, 0);
            return off ? ReadThroughScreenDC(x, y) : GetScreenPixel(x, y);
        });
        bool rescued = false;
        const UINT_PTR rescue = After(10000, [&] {
            rescued = true;
            PressOnSkin(picker, WM_LBUTTONUP, 0);
        });
        PressOnSkin(picker, WM_LBUTTONDOWN, MK_LBUTTON);
        tk::DoEvents();
        Cancel(rescue);
        picker.SetPixelReader(&GetScreenPixel);
        const POINT corner = picker.PositionPixels();
        const ColorValue onScreen = ReadThroughScreenDC(corner.x + FrmMain::kSampleX, corner.y + FrmMain::kSampleY);
        const bool fieldsShowInvalid = fields[0] == L"#FFFFFFFFFFFF" && fields[1] == L"-1" && fields[3] == L"255"
                                       && fields[2] == L"255" && fields[4] == L"-1";
        const bool back = picker.LastColor() == onScreen && onScreen >= 0
                          && picker.FieldText(1) == std::to_wstring(onScreen);
        const bool ok = wentOff && lastOff == -1 && fieldsShowInvalid && advancedOff >= 0 && back && !rescued
                        && !picker.IsButtonDown();
        allOk = allOk && ok;
        detail += std::string(edge.name) + (ok ? " ok" : " FAILED") + " (off-screen sample "
                  + std::to_string(lastOff) + ", web " + tk::Narrow(fields[0]) + ", advanced view kept "
                  + std::to_string(advancedOff) + ", back to " + std::to_string(picker.LastColor())
                  + (rescued ? ", stuck" : "") + "); ";
    }
    frmAdvanced->Unload();
    tk::CollectRetiredForms();
    allOk = allOk && g_errors == errors;
    Report(allOk, "view-finder off every edge",
           detail + "the program's own read answers " + std::to_string(programOffScreen)
               + " off the screen here, so the reader seam reads through GetDC(NULL) there; " + ErrorsText(errors));
}

void CheckAdvancedClosedUnderDialog()
{
    Watch("advanced view closed under its colour dialog", 40);
    Picker();
    FrmAdvanced& advanced = *frmAdvanced;
    advanced.ShowWindow(RGB(10, 20, 30));
    tk::DoEvents();
    const HWND window = advanced.hWnd();
    const tk::Label& stop = FrmAdvancedTestAccess{advanced}.Stop();
    const LPARAM at = MAKELPARAM(stop.Left() + stop.Width() / 2, stop.Top() + stop.Height() / 2);
    const int errors = g_errors;
    std::atomic<bool> sawDialog{false};
    std::atomic<bool> closedUnder{false};
    std::atomic<bool> dialogGone{false};
    {
        // The dialog's answer: close the view under it, then OK the dialog.
        const tktest::DialogAnswer helper([&](HWND dialog) {
            sawDialog = true;
            ::PostMessageW(window, WM_CLOSE, 0, 0);
            WaitFor([&] { return !::IsWindow(window); }, 5000);
            closedUnder = !::IsWindow(window) && ::IsWindow(dialog);
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            dialogGone = WaitFor([&] { return !::IsWindow(dialog); }, 5000);
        });
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(window, WM_LBUTTONUP, 0, at);
        tk::DoEvents(); // the click opens the dialog, whose own loop runs here
        PumpUntil([&] { return dialogGone.load(); }, 5000);
    }
    tk::DoEvents();
    const bool unloaded = !IsFormLoaded(L"frmAdvanced");
    const bool mainLoaded = IsFormLoaded(L"frmMain");
    tk::CollectRetiredForms();
    const bool ok = sawDialog && closedUnder && dialogGone && unloaded && mainLoaded && g_errors == errors;
    Report(ok, "advanced view closed under its colour dialog",
           std::string(sawDialog ? "dialog opened by a click on the stop colour" : "no dialog appeared") + ", view "
               + (closedUnder ? "closed while the dialog was open" : "not closed under the dialog") + ", dialog "
               + (dialogGone ? "answered" : "left open") + ", advanced view " + (unloaded ? "unloaded" : "still loaded")
               + ", " + ErrorsText(errors));
}

void CheckMainClosedBySystem()
{
    Watch("main window closed by the system", 30);
    FrmMain& picker = Picker();
    const HWND main = picker.hWnd();
    frmAdvanced->ShowWindow(RGB(200, 100, 0));
    tk::DoEvents();
    const HWND advanced = frmAdvanced->hWnd();
    const int errors = g_errors;
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    PumpUntil([&] { return !::IsWindow(main); }, 5000);
    const bool mainGone = !IsFormLoaded(L"frmMain") && !::IsWindow(main);
    // Unloading the main window by any way but Exit leaves the advanced view.
    const bool advancedStays = IsFormLoaded(L"frmAdvanced") && ::IsWindowVisible(advanced);
    tk::CollectRetiredForms();
    ::PostMessageW(advanced, WM_CLOSE, 0, 0);
    const bool allClosed = PumpUntil([] { return tk::LoadedForms().empty(); }, 5000);
    tk::CollectRetiredForms();
    const bool ok = mainGone && advancedStays && allClosed && g_errors == errors;
    Report(ok, "main window closed by the system",
           std::string("WM_CLOSE ") + (mainGone ? "unloaded the main window" : "left the main window loaded")
               + ", advanced view " + (advancedStays ? "stayed open" : "went too") + ", "
               + (allClosed ? "no window left after closing it" : "windows left after closing it") + ", "
               + ErrorsText(errors));
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool quick = argc > 1 && std::wstring(argv[1]) == L"--quick";
    const Sizes& sizes = quick ? kQuick : kFull;
    tk::SetUnhandledErrorHandler([](const tk::AppError& error) {
        ++g_errors;
        g_lastError = std::to_string(error.Number()) + " " + error.Description();
    });
    StartWatchdog();
    Watch("start-up", 60);

    Chart chart;
    g_chart = &chart;
    Picker();
    PumpFor(200);

    const Figures start = Measure();
    if (start.gdiObjects == 0)
        Note("GetGuiResources answers 0 on this system: handles are counted by handle-table probes, "
             "windows by enumeration and private memory by a VirtualQuery walk");

    CheckLongDrag(sizes.dragIterations);
    CheckDragWithAdvanced(sizes.advancedDragIterations);
    CheckAdvancedChurn(sizes.advancedCycles);
    CheckHelpChurn(sizes.helpCycles);
    CheckAboutChurn(sizes.aboutCycles);
    CheckColourDialog(sizes.dialogCycles);
    CheckCaptureLost();
    CheckOffScreen();
    CheckAdvancedClosedUnderDialog();
    CheckExitFromPopupDuringDrag();
    CheckMainClosedBySystem();

    g_deadline = 0;
    if (frmMain.Exists())
        frmMain->Uscita();
    tk::CollectRetiredForms();
    g_chart = nullptr;
    std::printf("soak: %d checks, %d failed\n", g_checks, g_failures);
    return g_failures == 0 ? 0 : 1;
}
