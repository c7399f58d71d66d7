// Colour names in the user's language, as the windows show them and a
// screen reader says them.
#pragma once

#include "colour/colour.h"

#include <string>

// "orange", "arancione": empty for no colour.
std::wstring UserColourName(ColorValue color);
// The name, a separator and the web value ("orange, #FF8000"); empty for no colour.
std::wstring ColourAndValue(ColorValue color, const std::wstring& separator);
