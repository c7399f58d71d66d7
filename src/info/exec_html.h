// Handing a web address or a file to the shell.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The maker's web address: the About window's link and the main window's link label.
extern const wchar_t* const kMakerWebAddress;

// Opens the text with the shell's "open" verb. A text without a scheme comes
// back with one put in front of it; an empty text does nothing.
void ExecHTML(std::wstring& text);

// What ExecHTML hands to the shell: the parent window, the verb and the file,
// both texts in the ANSI code page as ShellExecuteA takes them.
using ShellOpenFunction = std::function<void(HWND parent, const std::string& verb, const std::string& file)>;

// Tests record the request instead of starting a browser; an empty function
// puts the real shell back.
void SetShellOpenForTests(ShellOpenFunction open);
