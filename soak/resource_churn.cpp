// The newer paths that hold resources, over and over: the zoom lens opened
// and closed (a display DC, a DIB and a memory DC each time), the windows laid
// out again at another DPI (skin, fonts, cursors, region), and copies to the
// clipboard.
#include "checks.h"

#include "churn.h"
#include "report.h"
#include "scene.h"

#include "advanced/frm_advanced.h"
#include "colour/colour_formats.h"
#include "info/frm_help.h"
#include "mainwindow/zoom_lens.h"
#include "resources/resource.h"
#include "resources/resource_access.h"
#include "support/clipboard.h"
#include "winservices/api_window.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace soak {

namespace {

tk::MenuItem* ZoomItem(FrmMain& picker)
{
    for (tk::MenuItem* item : picker.PopupMenuItems().Items)
        if (item->Caption == LoadResString(IDS_ZOOM) && item->Click)
            return item;
    return nullptr;
}

SIZE SizeOf(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Tells a window its monitor now has another DPI, as the system does, with
// its present place as the suggested rectangle.
void SendDpiChange(HWND window, UINT dpi)
{
    RECT suggested{};
    ::GetWindowRect(window, &suggested);
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

} // namespace

// Opened and closed through the menu's Zoom item, as a user does.
void CheckLensChurn(int cycles)
{
    Watch("lens churn", 60);
    FrmMain& picker = Picker();
    PlacePicker(picker, 200, 200, 100, 100);
    tk::MenuItem* const zoom = ZoomItem(picker);
    const int errors = Errors();
    const ChurnResult churn = Churn("lens churn", 5, zoom ? cycles : 0, [&](int) {
        Beat();
        zoom->Click();
        tk::DoEvents();
        const bool shown = IsZoomLensOpen() && ::IsWindowVisible(frmZoom->hWnd());
        zoom->Click();
        tk::CollectRetiredForms();
        return shown && !IsZoomLensOpen();
    });
    const bool ok = zoom && churn.flat && churn.shown == cycles && !IsZoomLensOpen() && Errors() == errors;
    Report(ok, "lens churn",
           std::string(zoom ? "" : "no Zoom item in the menu; ") + std::to_string(cycles)
               + " open/close cycles from the Zoom item in " + Fixed(churn.seconds, 1) + " s, shown and closed "
               + std::to_string(churn.shown) + "; " + churn.figures + ", " + ErrorsText(errors));
}

// The main window, the advanced view and Help told of another DPI at each
// cycle, 144 and 96 in turn; each window must take the same size at each DPI
// every time. The warm-up cycles run on the shown windows; the measured ones
// on the same windows hidden, which rebuilds the same skin, fonts, cursors and
// region but spares Wine a new X window surface and shape per re-layout, more
// than half of the cycle's time. Shown again at the end, each must be
// where the churn left it.
void CheckDpiChurn(int cycles)
{
    Watch("DPI churn", 60);
    FrmMain& picker = Picker();
    PlacePicker(picker, 300, 250, 100, 100);
    frmAdvanced->ShowWindow(RGB(30, 60, 90));
    picker.MostraGuida();
    tk::DoEvents();
    const std::array<HWND, 3> windows{picker.hWnd(), frmAdvanced->hWnd(),
                                      frmHelp.Exists() ? frmHelp->hWnd() : nullptr};
    std::map<std::pair<HWND, UINT>, std::pair<LONG, LONG>> sizes; // the size each window took at each DPI
    std::array<double, 3> seconds{};                              // each window's re-layouts, in all
    int mismatches = 0;
    const auto relayOut = [&](int i) {
        Beat();
        const UINT dpi = i % 2 == 0 ? 144 : 96;
        bool same = true;
        for (std::size_t w = 0; w < windows.size(); ++w) {
            if (!::IsWindow(windows[w]))
                return false;
            const auto start = Clock::now();
            SendDpiChange(windows[w], dpi);
            seconds[w] += Seconds(Clock::now() - start);
            const SIZE size = SizeOf(windows[w]);
            const auto [known, first] = sizes.try_emplace({windows[w], dpi}, size.cx, size.cy);
            same = same && known->second == std::pair<LONG, LONG>{size.cx, size.cy};
        }
        // The skin's region is cut afresh for each scale.
        RECT box{};
        same = same && ::GetWindowRgnBox(picker.hWnd(), &box) != ERROR;
        mismatches += same ? 0 : 1;
        return same;
    };
    const int errors = Errors();
    const ChurnResult churn = Churn("DPI churn", 2, cycles, relayOut, [&] {
        mismatches = 0;
        seconds = {};
        for (const HWND window : windows)
            ::ShowWindow(window, SW_HIDE);
    });
    if (cycles % 2 == 1)
        relayOut(1); // back to 96 dpi
    bool shownAgain = true;
    for (const HWND window : windows) {
        ::ShowWindow(window, SW_SHOWNOACTIVATE);
        const SIZE size = SizeOf(window);
        shownAgain = shownAgain && ::IsWindowVisible(window)
                     && sizes[{window, 96u}] == std::pair<LONG, LONG>{size.cx, size.cy};
    }
    tk::DoEvents();
    // A re-layout that changed nothing would pass the sizes above: the two DPIs must differ.
    const SIZE at96 = SizeOf(picker.hWnd());
    const auto at144 = sizes[{picker.hWnd(), 144u}];
    const bool scaled = at144.first == tk::Scale(at96.cx, 144);
    const bool ok = churn.flat && churn.shown == cycles && scaled && shownAgain && picker.Dpi() == 96
                    && Errors() == errors;
    const auto each = [&](std::size_t w) { return Fixed(seconds[w] * 1000.0 / std::max(cycles, 1), 1); };
    Report(ok, "DPI churn",
           std::to_string(cycles) + " re-layouts at 144 and 96 dpi in turn of the main window, the advanced view and "
               "Help in " + Fixed(churn.seconds, 1) + " s (" + each(0) + ", " + each(1) + " and " + each(2)
               + " ms each), the main window " + std::to_string(at144.first) + " px wide at 144 dpi and "
               + std::to_string(at96.cx) + " at 96, " + std::to_string(mismatches) + " with another size, "
               + (shownAgain ? "shown again as left" : "not shown again as left") + "; "
               + churn.figures + ", " + ErrorsText(errors));
    if (frmHelp.Exists())
        frmHelp->Unload();
    frmAdvanced->Unload();
    tk::CollectRetiredForms();
}

// Ctrl+C on the main window, as the keyboard gives it (Ctrl held in this
// thread's key state); every hundredth copy lands on a clipboard that held
// another text and is read back.
void CheckClipboardChurn(int copies)
{
    Watch("clipboard churn", 60);
    FrmMain& picker = Picker();
    tk::DoEvents();
    const std::wstring expected = tk::Widen(FormatColour(picker.LastColor(), ColourFormat::Web));
    std::array<BYTE, 256> keys{};
    ::GetKeyboardState(keys.data());
    std::array<BYTE, 256> ctrl = keys;
    ctrl[VK_CONTROL] = ctrl[VK_LCONTROL] = 0x80;
    int checked = 0;
    int wrong = 0;
    std::wstring lastWrong;
    const int errors = Errors();
    const ChurnResult churn = Churn("clipboard churn", 5, copies, [&](int i) {
        if (i % 32 == 0)
            Beat();
        const bool check = i % 100 == 0 || i == copies - 1;
        if (check)
            tktest::PutClipboardText(L"another program's text");
        ::SetKeyboardState(ctrl.data());
        ::PostMessageW(picker.hWnd(), WM_KEYDOWN, 'C', 0);
        tk::DoEvents();
        ::SetKeyboardState(keys.data());
        if (!check)
            return true;
        ++checked;
        const std::wstring text = tktest::ClipboardText();
        if (text != expected) {
            ++wrong;
            lastWrong = text;
        }
        return text == expected;
    });
    const bool ok = churn.flat && churn.shown == copies && checked > 0 && Errors() == errors;
    Report(ok, "clipboard churn",
           std::to_string(copies) + " copies by Ctrl+C in " + Fixed(churn.seconds, 1) + " s, " + std::to_string(checked)
               + " read back, " + std::to_string(wrong) + " not " + tk::Narrow(expected)
               + (wrong ? " (last: " + tk::Narrow(lastWrong) + ")" : "") + "; " + churn.figures + ", "
               + ErrorsText(errors));
}

} // namespace soak
