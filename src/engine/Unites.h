#pragma once
// Lengths are tenths of a millimetre (254 to the inch); these convert them to
// pixels of the current surface, at the screen's or the printer's resolution
// as Dessin.ModeEcran says.
#include <cstdint>

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4). Results beyond the
// 32-bit range saturate at its bounds; NaN gives 0.
std::int32_t Round(long double valeur);

// a * b in 32-bit arithmetic, wrapping like the hardware (no undefined behaviour).
std::int32_t MulInt32(std::int32_t a, std::int32_t b);

// Round(v * R / 254) with R = ResEcranX (ModeEcran) or ResImpX: the product
// v * R formed in 32-bit wrapping arithmetic, then divided as a real.
std::int32_t VersPixelsX(std::int32_t v);
// The same along y with ResEcranY or ResImpY.
std::int32_t VersPixelsY(std::int32_t v);
