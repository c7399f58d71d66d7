// Menus that are only ever shown as popup menus.
#pragma once

#include "toolkit/window.h"

#include <functional>
#include <string>
#include <vector>

namespace tk {

class MenuItem {
public:
    explicit MenuItem(std::wstring caption) : Caption(std::move(caption)) {}
    bool IsSeparator() const { return Caption == L"-"; }

    std::wstring Caption;
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    // Shown left of the caption; the item's owner keeps it alive.
    HBITMAP Bitmap = nullptr;
    std::function<void()> Click;
    // An item with items of its own opens them as a submenu and has no Click.
    std::vector<MenuItem*> Items;
};

struct Menu {
    std::vector<MenuItem*> Items;
    bool Visible = true; // as a menu bar; a popup menu shows all the same
};

// Shows the menu at the mouse cursor and returns once it is dismissed or an
// item was chosen, in which case the item's Click has already run.
void PopupMenu(const Window& owner, const Menu& menu);
// The same at a screen point: a menu opened from the keyboard.
void PopupMenuAt(const Window& owner, const Menu& menu, POINT at);

} // namespace tk
