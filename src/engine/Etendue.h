#pragma once
// The drawing's extent for the clipboard picture, and the integer scaling the
// picture's frame uses.
#include "engine/TDessin.h"

#include <cstdint>

// Largest distance of any curve point from the curves' centre, in printer
// pixels (horizontal resolution): b := max over the drawing's curves of
// |Mobile - Fixe| + |Trou| (0 for an empty list), then
// Round(4 * b * ResImpX / 254), the product formed in 32-bit wrapping
// arithmetic and divided as a real, halves to even. The differences and
// absolute values wrap like 32-bit hardware too, so values read from a file
// never cause undefined behaviour.
std::int32_t Etendue(const TDessin& dessin);

// a * b / c with a 64-bit intermediate product, rounded to the nearest integer
// with halves away from zero (MulDiv(3, 1, 2) = 2, MulDiv(-3, 1, 2) = -2).
// Returns -1 when c is 0 or when the result does not fit in 32 bits, as the
// desktop's own function does; callers that can meet those cases check c
// before calling.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);
