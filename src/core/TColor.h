#pragma once
// The program's colour values, as curves, the grid's cells and drawing files
// hold them.
#include <cstdint>

// Colour value 0x00BBGGRR: red in the low byte.
using TColor = std::int32_t;

// The grid's value for no colour, which a curve row that never received a
// colour carries into the list (it draws in black).
inline constexpr TColor clNone = 0x1FFFFFFF;
