#pragma once
// What the curve table keeps per cell besides its text: created on the first
// write of any field and owned by the grid.
#include "engine/TCanvas.h"
#include "engine/TDessin.h"

// Horizontal alignment of a cell's text.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

struct TCellProperties {
    TAlignment Alignment = TAlignment::taLeftJustify;
    // Background; clNone: the grid's own colour (0x00BBGGRR otherwise).
    TColor BrushColor = clNone;
    // Text colour; clNone: the font's own colour.
    TColor FontColor = clNone;
};
