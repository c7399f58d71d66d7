// Loading the program's own resources: localised texts, cursors, pictures,
// the icon and the version block's product description.
#pragma once

#include "toolkit/handles.h"

#include <string>

// The text with the given identifier in the language the resource loader
// picks for the user. A slot of an existing string block without text gives
// the empty string (110 is such a slot); an identifier outside every block
// raises error 326.
std::wstring LoadResString(int id);

// A new cursor object on every call, never a shared one; error 326 if absent.
tk::unique_hcursor LoadResCursor(const wchar_t* name);
// The same cursor for a window at a DPI: the system shows a cursor at the size
// it was made, so at other scales the hand is drawn larger from its art.
tk::unique_hcursor LoadResCursor(const wchar_t* name, UINT dpi);

// The Comments value of the version block, empty if the block lacks it.
std::wstring VersionComments();

// The pictures as DIB sections, so their pixels keep their exact colours
// whatever the display depth (the skin's key colour is compared exactly).
tk::unique_hbitmap LoadSkinBitmap();
tk::unique_hbitmap LoadBulbBitmap();
// The same pictures for a DPI: at 96 the resources; at any other scale drawn
// afresh by the code that drew the resources, so they are crisp, not stretched.
tk::unique_hbitmap LoadSkinBitmap(UINT dpi);
tk::unique_hbitmap LoadBulbBitmap(UINT dpi);

// The application icon's image closest to size x size pixels.
tk::unique_hicon LoadAppIcon(int size);
