// Everyday colour names ("orange", "dark blue", "light grey") for people who
// cannot tell colours apart, in English and Italian.
#pragma once

#include "colour/colour.h"

#include <string>

enum class NameLanguage { English, Italian };

// A short name for the colour in the language; empty for no colour (negative).
std::string ColourName(ColorValue color, NameLanguage language);
