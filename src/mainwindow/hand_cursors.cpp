// The main window's hand cursors, one of each per DPI.
#include "mainwindow/hand_cursors.h"

#include "resources/resource_access.h"

#include <cwchar>

HCURSOR HandCursors::Get(const wchar_t* name, UINT dpi)
{
    for (const Made& made : m_made)
        if (made.dpi == dpi && std::wcscmp(made.name, name) == 0)
            return made.cursor.get();
    m_made.push_back({name, dpi, LoadResCursor(name, dpi)});
    return m_made.back().cursor.get();
}
