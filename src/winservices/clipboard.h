// Putting text on the system clipboard.
#pragma once

#include <windows.h>

#include <string>

// Replaces the clipboard's contents with the text, as Unicode text. A
// clipboard that another program holds open is tried again for at most about
// 50 ms; if it stays taken, nothing is copied and false comes back. Shows
// nothing to the user: the caller tells them.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);
