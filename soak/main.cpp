// Soak and fault checks of the real windows under long use: long drags over a
// changing chart, open/close churn of every window, of the lens, of the
// re-layout at another DPI and of the clipboard, the colour dialog over and
// over, and faults in the middle of a drag. One line per check with its
// figures and "ok" or "FAIL"; --quick runs the short versions.
#include "checks.h"
#include "measures.h"
#include "report.h"
#include "scene.h"

#include "support/pump.h"

#include <cstdio>
#include <string>

namespace {

constexpr soak::Sizes kFull{100000, 300, 10000, 1000, 1000, 200, 10000, 1000, 10000};
constexpr soak::Sizes kQuick{2000, 20, 30, 50, 50, 20, 30, 8, 200};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    using namespace soak;
    const bool quick = argc > 1 && std::wstring(argv[1]) == L"--quick";
    const Sizes& sizes = quick ? kQuick : kFull;
    CountErrors();
    StartWatchdog();
    Watch("start-up", 60);

    StripeChart chart;
    UseChart(&chart);
    Picker();
    tktest::Pump(200);

    const Figures start = Measure();
    if (start.gdiObjects == 0)
        Note("GetGuiResources answers 0 on this system: handles are counted by handle-table probes, "
             "windows by enumeration and private memory by a VirtualQuery walk");

    CheckLongDrag(sizes.dragIterations);
    CheckDragWithAdvanced(sizes.advancedDragIterations);
    CheckAdvancedChurn(sizes.advancedCycles);
    CheckHelpChurn(sizes.helpCycles);
    CheckAboutChurn(sizes.aboutCycles);
    CheckLensChurn(sizes.lensCycles);
    CheckDpiChurn(sizes.dpiCycles);
    CheckClipboardChurn(sizes.copies);
    CheckColourDialog(sizes.dialogCycles);
    CheckCaptureLost();
    CheckOffScreen();
    CheckAdvancedClosedUnderDialog();
    CheckExitFromPopupDuringDrag();
    CheckMainClosedBySystem();

    StopWatchdog();
    if (frmMain.Exists())
        frmMain->Uscita();
    tk::CollectRetiredForms();
    UseChart(nullptr);
    std::printf("soak: %d checks, %d failed\n", Checks(), Failures());
    return Failures() == 0 ? 0 : 1;
}
