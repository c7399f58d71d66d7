// Sampling a square of the screen around a point in one read.
#pragma once

#include "colour/colour.h"
#include "colour/sample_square.h"

#include <cstdint>

// The square of side x side pixels centred on (x, y) (side odd), reduced to
// one colour; pixels off every monitor are left out, -1 when none is left.
// A side of 1 is exactly GetScreenPixel.
ColorValue GetScreenSquare(std::int32_t x, std::int32_t y, int side, SquareReduction reduction);
