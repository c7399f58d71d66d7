// Popup menus built afresh from the items' state at every showing.
#include "toolkit/menu.h"

#include "toolkit/handles.h"

namespace tk {

namespace {

// Appends the visible items to `menu`, numbering the chosen-able ones from 1
// across all submenus; byId[n - 1] is the item with number n.
void AppendItems(HMENU menu, const std::vector<MenuItem*>& items, std::vector<MenuItem*>& byId)
{
    for (MenuItem* item : items) {
        if (!item->Visible)
            continue;
        if (item->IsSeparator()) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        flags |= item->Checked ? MF_CHECKED : MF_UNCHECKED;
        flags |= item->Enabled ? MF_ENABLED : MF_GRAYED;
        if (!item->Items.empty()) {
            unique_hmenu submenu(::CreatePopupMenu());
            AppendItems(submenu.get(), item->Items, byId);
            // From here the parent menu owns the submenu and destroys it with itself.
            ::AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.release()),
                          item->Caption.c_str());
            continue;
        }
        byId.push_back(item);
        ::AppendMenuW(menu, flags, byId.size(), item->Caption.c_str());
        if (item->Bitmap) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_BITMAP;
            info.hbmpItem = item->Bitmap;
            ::SetMenuItemInfoW(menu, static_cast<UINT>(byId.size()), FALSE, &info);
        }
    }
}

} // namespace

void PopupMenu(const Window& owner, const Menu& menu)
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    PopupMenuAt(owner, menu, cursor);
}

void PopupMenuAt(const Window& owner, const Menu& menu, POINT at)
{
    const unique_hmenu popup(::CreatePopupMenu());
    std::vector<MenuItem*> byId;
    AppendItems(popup.get(), menu.Items, byId);
    // The owner must be in front, or the menu would not close when the user
    // clicks elsewhere.
    ::SetForegroundWindow(owner.hWnd());
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        popup.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner.hWnd(), nullptr));
    ::PostMessageW(owner.hWnd(), WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= byId.size()) {
        MenuItem* item = byId[chosen - 1];
        if (item->Click)
            item->Click();
    }
}

} // namespace tk
