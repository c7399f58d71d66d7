// Entry point: load and show the main window, then run until no window is loaded.
#include "mainwindow/frm_main.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    frmMain->Show();
    tk::RunMessageLoop();
    return 0;
}
