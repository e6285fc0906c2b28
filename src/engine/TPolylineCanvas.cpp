#include "engine/TPolylineCanvas.h"

#include <algorithm>

void TPolylineCanvas::ClosePolyline() {
    if (!open_) return;
    EndPolyline();
    open_ = false;
}

void TPolylineCanvas::MoveTo(int x, int y) {
    ClosePolyline();
    x_ = x;
    y_ = y;
}

void TPolylineCanvas::LineTo(int x, int y) {
    if (!open_) {
        BeginPolyline(pen_, x_, y_);
        open_ = true;
    }
    AddVertex(x, y);
    x_ = x;
    y_ = y;
}

void TPolylineCanvas::SetPenColor(TColor color) {
    if (color == pen_) return;
    ClosePolyline();
    pen_ = color;
}

void TPolylineCanvas::Rectangle(int left, int top, int right, int bottom) {
    ClosePolyline();
    const std::int64_t x0 = std::min(left, right), x1 = std::max(left, right);
    const std::int64_t y0 = std::min(top, bottom), y1 = std::max(top, bottom);
    if (x1 <= x0 || y1 <= y0) return;
    DrawRectangle(pen_, brushStyle_ == TBrushStyle::Solid ? std::optional(brush_) : std::nullopt,
                  x0, y0, x1, y1);
}
