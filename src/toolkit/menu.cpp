// Popup menus built afresh from the items' state at every showing.
#include "toolkit/menu.h"

#include "toolkit/handles.h"

namespace tk {

void PopupMenu(const Window& owner, const Menu& menu)
{
    const unique_hmenu popup(::CreatePopupMenu());
    UINT id = 0;
    std::vector<MenuItem*> byId;
    for (MenuItem* item : menu.Items) {
        if (!item->Visible)
            continue;
        if (item->IsSeparator()) {
            ::AppendMenuW(popup.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        flags |= item->Checked ? MF_CHECKED : MF_UNCHECKED;
        flags |= item->Enabled ? MF_ENABLED : MF_GRAYED;
        byId.push_back(item);
        ::AppendMenuW(popup.get(), flags, ++id, item->Caption.c_str());
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // The owner must be in front, or the menu would not close when the user
    // clicks elsewhere.
    ::SetForegroundWindow(owner.hWnd());
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        popup.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x,
        cursor.y, 0, owner.hWnd(), nullptr));
    ::PostMessageW(owner.hWnd(), WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= byId.size()) {
        MenuItem* item = byId[chosen - 1];
        if (item->Click)
            item->Click();
    }
}

} // namespace tk
