// Soak and fault checks of the real windows under long use: long drags over a
// changing chart, open/close churn of every window, of the lens, of the
// re-layout at another DPI and of the clipboard, the colour dialog over and
// over, and faults in the middle of a drag. One line per check with its
// figures and "ok" or "FAIL"; --quick runs the short versions, and words
// after it (or alone) run only the checks whose names hold any of them, so
// the full run can be shared between processes; --list prints the names.
#include "checks.h"
#include "measures.h"
#include "report.h"
#include "scene.h"

#include "support/pump.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr soak::Sizes kFull{100000, 300, 10000, 1000, 1000, 200, 10000, 10000, 10000};
constexpr soak::Sizes kQuick{2000, 20, 30, 50, 50, 20, 100, 12, 200};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    using namespace soak;
    const bool quick = argc > 1 && std::wstring(argv[1]) == L"--quick";
    const Sizes& sizes = quick ? kQuick : kFull;
    const std::vector<std::wstring> words(argv + std::min(argc, quick ? 2 : 1), argv + argc);
    const auto chosen = [&](const std::wstring& name) {
        return words.empty() || std::any_of(words.begin(), words.end(), [&](const std::wstring& word) {
                   return name.find(word) != std::wstring::npos;
               });
    };
    const std::vector<std::pair<std::wstring, std::function<void()>>> checks{
        {L"long drag", [&] { CheckLongDrag(sizes.dragIterations); }},
        {L"drag with the advanced view", [&] { CheckDragWithAdvanced(sizes.advancedDragIterations); }},
        {L"advanced view churn", [&] { CheckAdvancedChurn(sizes.advancedCycles); }},
        {L"help churn", [&] { CheckHelpChurn(sizes.helpCycles); }},
        {L"about churn", [&] { CheckAboutChurn(sizes.aboutCycles); }},
        {L"lens churn", [&] { CheckLensChurn(sizes.lensCycles); }},
        {L"DPI churn", [&] { CheckDpiChurn(sizes.dpiCycles); }},
        {L"clipboard churn", [&] { CheckClipboardChurn(sizes.copies); }},
        {L"colour dialog", [&] { CheckColourDialog(sizes.dialogCycles); }},
        {L"capture lost", [] { CheckCaptureLost(); }},
        {L"off every edge", [] { CheckOffScreen(); }},
        {L"advanced view closed under its dialog", [] { CheckAdvancedClosedUnderDialog(); }},
        {L"Exit from a popup", [] { CheckExitFromPopupDuringDrag(); }},
        {L"main window closed by the system", [] { CheckMainClosedBySystem(); }},
    };
    // The names alone, for scripts/soak to share the checks between processes.
    if (argc == 2 && std::wstring(argv[1]) == L"--list") {
        for (const auto& check : checks)
            std::printf("%ls\n", check.first.c_str());
        return 0;
    }

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

    for (const auto& [name, check] : checks)
        if (chosen(name))
            check();

    StopWatchdog();
    if (frmMain.Exists())
        frmMain->Uscita();
    tk::CollectRetiredForms();
    UseChart(nullptr);
    std::printf("soak: %d checks, %d failed\n", Checks(), Failures());
    return Failures() == 0 ? 0 : 1;
}
