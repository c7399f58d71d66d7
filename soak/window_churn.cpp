// The advanced view, Help, About and the colour dialog opened and closed over
// and over, with nothing left behind.
#include "checks.h"

#include "churn.h"
#include "measures.h"
#include "report.h"
#include "scene.h"

#include "advanced/cdlg.h"
#include "advanced/frm_advanced.h"
#include "info/frm_about.h"
#include "info/frm_help.h"
#include "support/modal.h"
#include "winservices/api_window.h"

#include <memory>

namespace soak {

ChurnResult Churn(const char* check, int warmUp, int cycles, const std::function<bool(int)>& cycle,
                  const std::function<void()>& afterWarmUp)
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

namespace {

// A window that is not modal opened and closed over and over: `cycle` opens
// it, lets it show, closes it and answers whether it was shown.
void ModelessChurn(const char* check, const wchar_t* form, int cycles, const std::function<bool(int)>& cycle)
{
    Watch(check, 60);
    const int errors = Errors();
    const ChurnResult churn = Churn(check, 5, cycles, [&](int i) {
        Beat();
        const bool shown = cycle(i);
        tk::CollectRetiredForms();
        return shown;
    });
    const bool ok = churn.flat && churn.shown == cycles && !IsFormLoaded(form) && Errors() == errors;
    Report(ok, check,
           std::to_string(cycles) + " open/close cycles in " + Fixed(churn.seconds, 1) + " s, shown "
               + std::to_string(churn.shown) + "; " + churn.figures + ", " + ErrorsText(errors));
}

} // namespace

void CheckAdvancedChurn(int cycles)
{
    Picker();
    ModelessChurn("advanced view churn", L"frmAdvanced", cycles, [](int i) {
        frmAdvanced->ShowWindow(StripeChart::StripeColour(i, i));
        tk::DoEvents();
        const bool shown = ::IsWindowVisible(frmAdvanced->hWnd()) != FALSE;
        frmAdvanced->Unload();
        return shown;
    });
}

void CheckHelpChurn(int cycles)
{
    FrmMain& picker = Picker();
    ::SetCursorPos(300, 300);
    ModelessChurn("help churn", L"frmHelp", cycles, [&picker](int) {
        picker.MostraGuida();
        tk::DoEvents();
        const bool shown = frmHelp.Exists() && frmHelp->IsLoaded() && ::IsWindowVisible(frmHelp->hWnd());
        if (frmHelp.Exists())
            frmHelp->Unload();
        return shown;
    });
}

// About is modal: a timer inside its loop answers it, with Escape on even
// cycles and an Unload on odd ones. Escape that does not close it is a
// failure; the timer then unloads it so the run goes on.
void CheckAboutChurn(int cycles)
{
    Watch("about churn", 60);
    FrmMain& picker = Picker();
    int escapeFailures = 0;
    const int errors = Errors();
    const ChurnResult churn = Churn(
        "about churn", 4, cycles,
        [&](int i) {
            Beat();
            bool escaped = false;
            const tktest::ThreadTimer answer(
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
                tktest::ThreadTimer::Repeat);
            frmAbout->ShowModal();
            tk::CollectRetiredForms();
            return true; // ShowModal came back: the cycle was answered
        },
        [&] { escapeFailures = 0; });
    // The modal loop gave the input back to the main window each time.
    const bool mainEnabled = ::IsWindowEnabled(picker.hWnd()) != FALSE;
    const bool ok = churn.flat && churn.shown == cycles && escapeFailures == 0 && mainEnabled
                    && !IsFormLoaded(L"frmAbout") && Errors() == errors;
    Report(ok, "about churn",
           std::to_string(cycles) + " modal open/close cycles in " + Fixed(churn.seconds, 1) + " s, Escape failed "
               + std::to_string(escapeFailures) + " times, main window " + (mainEnabled ? "enabled" : "left disabled")
               + "; " + churn.figures + ", " + ErrorsText(errors));
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
        const std::int32_t colour = static_cast<std::int32_t>(StripeChart::StripeColour(i, 3 * i));
        dialog.Color(colour);
        dialog.ShowColor();
        kept += dialog.Color() == colour ? 1 : 0;
    };
    for (int i = 0; i < 3; ++i)
        cycle(i);
    kept = 0;
    const int answeredBefore = answerer->Answers();
    const int errors = Errors();
    const Figures before = Measure();
    const auto start = Clock::now();
    for (int i = 0; i < cycles; ++i)
        cycle(i);
    const double seconds = Seconds(Clock::now() - start);
    const Figures after = Measure();
    const int answered = answerer->Answers() - answeredBefore;
    std::string figures;
    const bool flat = Flat(before, after, figures);
    const bool ok = flat && kept == cycles && answered >= cycles
                    && tktest::FindDialog(::GetCurrentThreadId()) == nullptr && Errors() == errors;
    Report(ok, "colour dialog",
           std::to_string(cycles) + " times on one CDlg in " + Fixed(seconds, 1) + " s, answered by the second thread "
               + std::to_string(answered) + " times, OK kept the colour " + std::to_string(kept) + " times; " + figures
               + ", " + ErrorsText(errors));
}

} // namespace soak
