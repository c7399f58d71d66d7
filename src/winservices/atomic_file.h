// Replacing a file so that a crash at any moment leaves the old file or the
// new one whole, never a mixture.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

// Writes the bytes to a temporary file in the file's folder, then moves it
// over the file (replacing, written through). 0, or the system's error code
// (the file untouched, the temporary file removed).
DWORD WriteFileAtomically(const std::wstring& path, std::string_view bytes);

// Tests stop a write between the temporary file and the move, as a crash
// would: the hook runs there, and false ends the write (ERROR_CANCELLED)
// with the temporary file left behind. An empty function gives the normal write.
void SetAtomicWriteInterruption(std::function<bool()> beforeReplace);

// The system's text for an error code, in the user's language.
std::wstring SystemErrorText(DWORD code);
