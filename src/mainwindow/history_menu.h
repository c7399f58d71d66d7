// The History submenu of the main window's popup menu: the colours picked
// and copied most recently, each with its swatch, kept across runs in
// %LOCALAPPDATA%\Tavolisk\history.txt; and the palette saved from them.
#pragma once

#include "colour/colour_history.h"
#include "toolkit/handles.h"
#include "toolkit/menu.h"
#include "toolkit/window.h"

#include <array>
#include <string>
#include <vector>

class HistoryMenu {
public:
    explicit HistoryMenu(const tk::Window& owner);
    HistoryMenu(const HistoryMenu&) = delete;
    HistoryMenu& operator=(const HistoryMenu&) = delete;

    tk::MenuItem& Item() noexcept { return mHistory; }
    void LoadCaptions();
    // Reads the history file; once, at start-up. A file that cannot be read
    // leaves the history empty.
    void Load();
    // A colour picked or copied goes first; the file is written afresh.
    // Never a message: a folder that cannot be written keeps the history in memory.
    void Remember(ColorValue color);
    // Brings the entries and their swatches to the history, sized for the DPI.
    void Refresh(UINT dpi);
    const ColourHistory& History() const noexcept { return m_history; }

    // %LOCALAPPDATA%\Tavolisk\history.txt, empty when there is no such folder.
    static std::wstring FilePath();

private:
    void Save() const;
    void mHistoryEntry_Click(std::size_t index);
    void mSavePalette_Click();
    void mClearHistory_Click();

    const tk::Window& m_owner;
    ColourHistory m_history;
    tk::MenuItem mHistory{L"History"};
    std::vector<tk::MenuItem> mHistoryEntry; // 16, made once: the menu holds their addresses
    std::array<tk::unique_hbitmap, ColourHistory::kCapacity> m_swatches;
    tk::MenuItem mHistoryEmpty{L"No colours yet"};
    tk::MenuItem sepHistory{L"-"};
    tk::MenuItem mSavePalette{L"Save palette..."};
    tk::MenuItem mClearHistory{L"Clear history"};
};
