#pragma once
// Writes a picture's drawing as SVG text that other programs show at its true
// size: width and height are the frame in millimetres, the view box is the
// same frame in CSS pixels (96 per inch), and the drawing, in pixels of the
// reference device as the EMF records it, sits in one group scaled into that
// view box. Each run of lines drawn with one pen from one starting point
// becomes one polyline; lines are one reference pixel wide and keep their
// width at any zoom, as the picture's cosmetic pen does.
//
// Written by hand rather than through Qt's SVG generator, which would bring
// Qt's SVG module into the program (only a test needs it, to read the
// picture back), takes the page's size as whole pixels at whole dots per inch
// (a frame of 79.93 mm is exact only at a resolution chosen for it) and, with
// Qt 6.4, writes SVG Tiny 1.2 only.
#include "platform/TPrinterBackEnd.h"
#include "platform/TTamponOctets.h"
#include "platform/TVectorWriter.h"

#include <QByteArray>

#include <cstdint>

class TSvgWriter : public TVectorWriter {
public:
    // Frame in hundredths of a millimetre; the reference device's printable
    // area in pixels and millimetres gives the scale (both sizes positive).
    TSvgWriter(std::int32_t frameWidth, std::int32_t frameHeight, const TPrinterMetrics& reference);

    // Room for about this many points.
    void Reserve(std::size_t points);

    // Closes the document and hands over the text (UTF-8). Called once.
    QByteArray Finish();

private:
    // A run is one polyline.
    void BeginPolyline(TColor pen, std::int32_t x, std::int32_t y) override;
    void AddVertex(std::int32_t x, std::int32_t y) override;
    void EndPolyline() override;
    void DrawRectangle(TColor pen, std::optional<TColor> fill, std::int64_t x0, std::int64_t y0,
                       std::int64_t x1, std::int64_t y1) override;
    // `prefix`, then "x,y".
    void AppendPoint(char prefix, std::int32_t x, std::int32_t y);
    void AppendInteger(std::int64_t v);

    TTamponOctets text_;
};
