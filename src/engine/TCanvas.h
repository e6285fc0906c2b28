#pragma once
// A drawing surface: the few operations the tracer and the sheet preparation
// use, with the platform's pixel rules (a line leaves out its last pixel; a
// rectangle leaves out its right and bottom coordinates).
#include "core/TColor.h"

enum class TBrushStyle { Solid, Clear };

class TCanvas {
public:
    virtual ~TCanvas() = default;

    // Sets the current position; draws nothing.
    virtual void MoveTo(int x, int y) = 0;
    // Draws from the current position to (x, y) with the pen, leaving out the
    // pixel (x, y); the current position becomes (x, y). May throw (a printer
    // page outside a print job).
    virtual void LineTo(int x, int y) = 0;
    // Outline with the pen, inside with the brush (unless the brush is clear);
    // right and bottom are exclusive.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;

    virtual void SetPenColor(TColor color) = 0;
    virtual void SetBrushColor(TColor color) = 0;
    virtual void SetBrushStyle(TBrushStyle style) = 0;
};
