#pragma once
// What the curve table keeps per cell besides its text: created on the first
// write of any field and owned by the grid.
#include "core/TColor.h"

// Horizontal alignment of a cell's text.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

struct TCellProperties {
    TAlignment Alignment = TAlignment::taLeftJustify;
    // Text colour; clNone: the font's own colour.
    TColor FontColor = clNone;
};
