// Keyboard control of the main window.
#include "mainwindow/keyboard_nudge.h"

#include "mainwindow/copy_menu.h"
#include "mainwindow/frm_main.h"
#include "mainwindow/zoom_lens.h"
#include "toolkit/controls.h"

namespace {

constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;
constexpr int kLongStep = 10;
constexpr UINT_PTR kSettleTimer = 0x4E55; // "NU"
constexpr UINT kSettleDelay = 50;       // ms

void CALLBACK SampleOnceSettled(HWND window, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(window, timer);
    try {
        // The timer runs outside any window procedure: its errors are
        // reported the same way as theirs.
        if (frmMain.Exists() && frmMain->hWnd() == window)
            frmMain->RefreshColor();
    } catch (...) {
        tk::ReportCurrentException();
    }
}

// Whether the field with the focus has text selected: then Ctrl+C is its own.
bool FocusHasSelection()
{
    const HWND focus = ::GetFocus();
    wchar_t className[16]{};
    if (!focus || !::GetClassNameW(focus, className, 16) || ::lstrcmpiW(className, L"Edit") != 0)
        return false;
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end;
}

} // namespace

POINT NudgeStep(int keyCode, int shift) noexcept
{
    if (shift & (kCtrlMask | kAltMask))
        return {0, 0};
    const int step = (shift & kShiftMask) ? kLongStep : 1;
    switch (keyCode) {
    case VK_LEFT:
        return {-step, 0};
    case VK_RIGHT:
        return {step, 0};
    case VK_UP:
        return {0, -step};
    case VK_DOWN:
        return {0, step};
    default:
        return {0, 0};
    }
}

bool TakeMainWindowKey(FrmMain& main, int keyCode, int shift)
{
    const POINT step = NudgeStep(keyCode, shift);
    if (step.x != 0 || step.y != 0) {
        // A drag in progress moves the window to the mouse anyway.
        if (!main.IsButtonDown()) {
            const POINT corner = main.PositionPixels();
            main.MovePixels(corner.x + step.x, corner.y + step.y);
            main.RefreshColor();
            // A drag goes on sampling after each step; a nudge samples once
            // more when the screen has settled, as a drag held still would.
            // (Without a compositor the pixels the window uncovered are
            // painted only after its owner has had its expose.)
            ::SetTimer(main.hWnd(), kSettleTimer, kSettleDelay, &SampleOnceSettled);
        }
        return true;
    }
    if (keyCode == 'C' && (shift & (kCtrlMask | kAltMask)) == kCtrlMask) {
        if (FocusHasSelection())
            return false; // the field copies its selection, as ever
        CopyWebColour(main, main.LastColor());
        return true;
    }
    if (keyCode == VK_ESCAPE && shift == 0 && IsZoomLensOpen()) {
        CloseZoomLens();
        return true;
    }
    return false;
}
