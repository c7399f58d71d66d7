// Reducing a square of screen pixels to the one colour a sample shows.
#pragma once

#include "colour/colour.h"

#include <span>

enum class SquareReduction { Mean, MostCommon };

// `pixels` holds side x side colours, top row first, -1 for a pixel that
// could not be read. Mean: per channel over the readable pixels, rounded
// to the nearest integer, halves up. MostCommon: the most frequent colour,
// of equally frequent ones the one nearest the centre. -1 when no pixel
// was readable.
ColorValue ReduceSquare(std::span<const ColorValue> pixels, int side, SquareReduction reduction);
