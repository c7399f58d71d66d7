// The Copy submenu of the main window's popup menu: one item per text form
// of the colour, each showing exactly the text it copies.
#pragma once

#include "colour/colour.h"
#include "toolkit/menu.h"
#include "toolkit/window.h"

#include <array>
#include <functional>

class CopyMenu {
public:
    explicit CopyMenu(const tk::Window& owner);
    CopyMenu(const CopyMenu&) = delete;
    CopyMenu& operator=(const CopyMenu&) = delete;

    // The item that opens the submenu, for the popup menu's list.
    tk::MenuItem& Item() noexcept { return mCopy; }
    // Brings the items to the colour about to be shown; greyed for no colour.
    void Refresh(ColorValue color);

private:
    const tk::Window& m_owner;
    ColorValue m_color = -1;
    tk::MenuItem mCopy{L"Copy"};
    std::array<tk::MenuItem, 5> mCopyFormat{tk::MenuItem{L""}, tk::MenuItem{L""}, tk::MenuItem{L""},
                                            tk::MenuItem{L""}, tk::MenuItem{L""}};
};

// Puts the colour's web text ("#RRGGBB") on the clipboard; nothing for no colour.
// A copy that fails, from here or from the submenu, gives the warning beep.
void CopyWebColour(const tk::Window& owner, ColorValue color);
// Tests take the warning here (Wine plays no sound to listen for); an empty
// function gives the system's beep back.
void SetCopyFailedWarning(std::function<void()> warn);
