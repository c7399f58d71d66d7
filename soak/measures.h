// What a check may not leave behind: GDI and USER handles, kernel handles,
// windows and private memory, read before and after it and compared.
#pragma once

#include <windows.h>

#include <string>

namespace soak {

struct Figures {
    DWORD gdiObjects = 0;  // GetGuiResources: 0 where the system does not count
    DWORD userObjects = 0;
    int gdiTable = 0;      // the highest GDI handle index a probe is given
    int userTable = 0;     // the same for USER handles (windows, menus, cursors)
    int windows = 0;       // windows of this process, children included
    int handleTable = 0;   // the same for kernel handles (events, threads, files)
    double privateMiB = 0; // committed private memory
};

Figures Measure();

// The figures of a check as text, and whether they stayed flat.
bool Flat(const Figures& before, const Figures& after, std::string& text);

} // namespace soak
