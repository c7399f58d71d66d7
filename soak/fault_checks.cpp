// Faults in the middle of a drag or under a dialog: capture taken away, Exit
// from a popup, the view-finder past every edge, windows closed under a
// dialog or by the system.
#include "checks.h"

#include "report.h"
#include "scene.h"

#include "advanced/frm_advanced.h"
#include "colour/mouse_function.h"
#include "support/advanced_access.h"
#include "support/modal.h"
#include "support/pump.h"
#include "winservices/api_window.h"

#include <atomic>
#include <functional>
#include <thread>

namespace soak {

namespace {

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

} // namespace

void CheckCaptureLost()
{
    Watch("capture lost mid-drag", 30);
    FrmMain& picker = Picker();
    PlacePicker(picker, 400, 300, 150, 150);
    const int errors = Errors();
    long reads = 0;
    long readsWhenTaken = -1;
    bool draggingWhenTaken = false;
    bool rescued = false;
    picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        ++reads;
        return GetScreenPixel(x, y);
    });
    const tktest::ThreadTimer take(300, [&] {
        draggingWhenTaken = picker.IsButtonDown();
        readsWhenTaken = reads;
        ::SetCapture(Chart().hwnd());
    });
    tktest::ThreadTimer rescue(8000, [&] {
        rescued = true;
        PressOnSkin(picker, WM_LBUTTONUP, 0);
    });
    PressOnSkin(picker, WM_LBUTTONDOWN, MK_LBUTTON);
    tk::DoEvents(); // the drag runs in here
    rescue.Stop();
    const bool chartHasCapture = ::GetCapture() == Chart().hwnd();
    ::ReleaseCapture();
    picker.SetPixelReader(&GetScreenPixel);
    // The loop finishes the iteration it is in, and no more.
    const long after = readsWhenTaken >= 0 ? reads - readsWhenTaken : -1;
    const bool ok = draggingWhenTaken && chartHasCapture && !rescued && !picker.IsButtonDown() && after >= 0
                    && after <= 1 && Errors() == errors;
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
    const int errors = Errors();
    bool draggingAtMenu = false;
    bool answered = false;
    bool rescued = false;
    long reads = 0;
    picker.SetPixelReader([&](std::int32_t x, std::int32_t y) {
        ++reads;
        return GetScreenPixel(x, y);
    });
    const tktest::ThreadTimer openMenu(300, [&] {
        draggingAtMenu = picker.IsButtonDown();
        PressOnSkin(picker, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON);
    });
    tktest::ThreadTimer rescue(10000, [&] {
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
    rescue.Stop();
    const bool mainGone = !IsFormLoaded(L"frmMain");
    const bool advancedGone = !IsFormLoaded(L"frmAdvanced");
    const bool dragEnded = !picker.IsButtonDown(); // the form object is retired, not yet deleted
    const std::size_t left = tk::LoadedForms().size();
    tk::CollectRetiredForms();
    const bool ok = draggingAtMenu && answered && !rescued && mainGone && advancedGone && dragEnded && left == 0
                    && Errors() == errors;
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
    const int errors = Errors();
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
        tktest::ThreadTimer rescue(10000, [&] {
            rescued = true;
            PressOnSkin(picker, WM_LBUTTONUP, 0);
        });
        PressOnSkin(picker, WM_LBUTTONDOWN, MK_LBUTTON);
        tk::DoEvents();
        rescue.Stop();
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
    allOk = allOk && Errors() == errors;
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
    const int errors = Errors();
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
        tktest::PumpUntil([&] { return dialogGone.load(); }, 5000);
    }
    tk::DoEvents();
    const bool unloaded = !IsFormLoaded(L"frmAdvanced");
    const bool mainLoaded = IsFormLoaded(L"frmMain");
    tk::CollectRetiredForms();
    const bool ok = sawDialog && closedUnder && dialogGone && unloaded && mainLoaded && Errors() == errors;
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
    const int errors = Errors();
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    tktest::PumpUntil([&] { return !::IsWindow(main); }, 5000);
    const bool mainGone = !IsFormLoaded(L"frmMain") && !::IsWindow(main);
    // Unloading the main window by any way but Exit leaves the advanced view.
    const bool advancedStays = IsFormLoaded(L"frmAdvanced") && ::IsWindowVisible(advanced);
    tk::CollectRetiredForms();
    ::PostMessageW(advanced, WM_CLOSE, 0, 0);
    const bool allClosed = tktest::PumpUntil([] { return tk::LoadedForms().empty(); }, 5000);
    tk::CollectRetiredForms();
    const bool ok = mainGone && advancedStays && allClosed && Errors() == errors;
    Report(ok, "main window closed by the system",
           std::string("WM_CLOSE ") + (mainGone ? "unloaded the main window" : "left the main window loaded")
               + ", advanced view " + (advancedStays ? "stayed open" : "went too") + ", "
               + (allClosed ? "no window left after closing it" : "windows left after closing it") + ", "
               + ErrorsText(errors));
}

} // namespace soak
