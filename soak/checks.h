// The soak's checks, each ending in one line with its figures and "ok" or
// "FAIL". The counts are those of the full run or of the quick one.
#pragma once

namespace soak {

struct Sizes {
    long dragIterations;
    long advancedDragIterations;
    int advancedCycles;
    int helpCycles;
    int aboutCycles;
    int dialogCycles;
    int lensCycles;
    int dpiCycles;
    int copies;
};

// Long drags (drag_checks.cpp).
void CheckLongDrag(long iterations);
void CheckDragWithAdvanced(long iterations);

// Windows opened and closed over and over (window_churn.cpp).
void CheckAdvancedChurn(int cycles);
void CheckHelpChurn(int cycles);
void CheckAboutChurn(int cycles);
void CheckColourDialog(int cycles);

// The lens, the re-layout at another DPI and the clipboard, over and over (resource_churn.cpp).
void CheckLensChurn(int cycles);
void CheckDpiChurn(int cycles);
void CheckClipboardChurn(int copies);

// Faults in the middle of a drag or under a dialog (fault_checks.cpp).
void CheckCaptureLost();
void CheckOffScreen();
void CheckAdvancedClosedUnderDialog();
void CheckExitFromPopupDuringDrag();
void CheckMainClosedBySystem();

} // namespace soak
