// Putting text on the system clipboard.
#pragma once

#include <windows.h>

#include <string>

// Replaces the clipboard's contents with the text, as Unicode text. A
// clipboard that another program holds open is tried again for a moment;
// if it stays taken, nothing is copied and false comes back. Never shows
// anything to the user.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);
