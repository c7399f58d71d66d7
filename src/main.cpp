// Entry point: load and show the main window, then run until no window is loaded.
#include "mainwindow/frm_main.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Start-up runs outside any window procedure: an error here (a window
    // the system would not make) ends the program the same way as one inside.
    try {
        frmMain->Show();
    } catch (...) {
        tk::ReportCurrentException();
        return 1;
    }
    tk::RunMessageLoop();
    return 0;
}
