// Saving the history as a palette file the user names in the Save dialog.
#pragma once

#include "colour/colour.h"

#include <windows.h>

#include <string>
#include <vector>

// Asks for a file (GIMP palette, CSS custom properties or text) and writes
// the colours there atomically, in the type the file's extension names.
// Cancel does nothing; a failed write shows a message box naming the file
// and the system's reason, and leaves an existing file as it was.
void SavePalette(HWND owner, const std::vector<ColorValue>& colours);
