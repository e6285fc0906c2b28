#pragma once
// A canvas that hands on what is drawn as runs of lines and as rectangles
// given by their corners, for the surfaces that draw whole polylines: the
// picture writers (SVG, PDF, PNG) and the icon tool. A run is the lines drawn
// with one pen from one starting point: a MoveTo, a change of pen or a
// rectangle ends it.
#include "engine/TCanvas.h"

#include <cstdint>
#include <optional>

class TPolylineCanvas : public TCanvas {
public:
    void MoveTo(int x, int y) final;
    void LineTo(int x, int y) final;
    // Colour (0x00BBGGRR) of the lines drawn from now on.
    void SetPenColor(TColor color) final;
    // Outline in the pen's colour, inside in the brush's unless it is clear;
    // right and bottom exclusive, as on the EMF picture.
    void Rectangle(int left, int top, int right, int bottom) final;
    void SetBrushColor(TColor color) final { brush_ = color; }
    void SetBrushStyle(TBrushStyle style) final { brushStyle_ = style; }

protected:
    // A run begins at (x, y), drawn in `pen`; its vertices follow; it ends.
    virtual void BeginPolyline(TColor pen, std::int32_t x, std::int32_t y) = 0;
    virtual void AddVertex(std::int32_t x, std::int32_t y) = 0;
    virtual void EndPolyline() = 0;
    // A rectangle whose outline's pixels run from (x0, y0) to (x1 - 1, y1 - 1)
    // (x0 < x1, y0 < y1), inside in `fill` or clear.
    virtual void DrawRectangle(TColor pen, std::optional<TColor> fill, std::int64_t x0,
                               std::int64_t y0, std::int64_t x1, std::int64_t y1) = 0;

    // Ends the run being drawn, if any: before the picture's end.
    void ClosePolyline();

private:
    TColor pen_ = 0;
    TColor brush_ = 0xFFFFFF;
    TBrushStyle brushStyle_ = TBrushStyle::Solid;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    bool open_ = false; // a run is begun, vertices follow
};
