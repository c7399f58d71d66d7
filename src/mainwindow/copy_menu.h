// The Copy submenu of the main window's popup menu: one item per text form
// of the colour, each showing what it copies.
#pragma once

#include "colour/colour.h"
#include "toolkit/menu.h"
#include "toolkit/window.h"

#include <functional>
#include <string>
#include <vector>

class CopyMenu {
public:
    explicit CopyMenu(const tk::Window& owner);
    CopyMenu(const CopyMenu&) = delete;
    CopyMenu& operator=(const CopyMenu&) = delete;

    // The item that opens the submenu, for the popup menu's list.
    tk::MenuItem& Item() noexcept { return mCopy; }
    // Brings the items to the colour about to be shown; greyed for no colour.
    void Refresh(ColorValue color);

    // Runs after an item copied the colour.
    std::function<void(ColorValue)> Copied;

private:
    struct Form {
        std::function<std::string(ColorValue)> text;    // what is copied
        std::function<std::wstring(ColorValue)> caption; // what the item shows, if not the text
    };

    const tk::Window& m_owner;
    ColorValue m_color = -1;
    tk::MenuItem mCopy{L"Copy"};
    std::vector<Form> m_forms;
    std::vector<tk::MenuItem> mCopyFormat; // made once: the menu holds their addresses
};

// Puts the colour's web text ("#RRGGBB") on the clipboard; nothing for no colour.
// A copy that fails, from here or from the submenu, gives the warning beep;
// true when the colour was copied.
bool CopyWebColour(const tk::Window& owner, ColorValue color);
// Tests take the warning here (Wine plays no sound to listen for); an empty
// function gives the system's beep back.
void SetCopyFailedWarning(std::function<void()> warn);
