// The nearest of the CSS named colours to a colour.
#pragma once

#include "colour/colour.h"

#include <string>

struct CssName {
    std::string name;
    bool exact; // the colour is this name's own, not just near it
};

// Nearest by OKLab distance, ties to the alphabetically first; an exact
// match wins outright. `color` is 0..16777215.
CssName NearestCssName(ColorValue color);
