// The main window's hand cursors, made once for each DPI the window is laid
// out at rather than at every press and release.
#pragma once

#include "toolkit/handles.h"

#include <vector>

class HandCursors {
public:
    // The cursor of that name for that DPI, made on first asking; it lives as
    // long as this object.
    HCURSOR Get(const wchar_t* name, UINT dpi);

private:
    struct Made {
        const wchar_t* name;
        UINT dpi;
        tk::unique_hcursor cursor;
    };
    std::vector<Made> m_made;
};
