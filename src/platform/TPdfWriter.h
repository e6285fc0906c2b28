#pragma once
// Writes a picture's drawing as a PDF document of one page whose size is the
// picture's frame, so that it prints at its true size at 100 %. The drawing,
// in pixels of the reference device as the EMF records it, is mapped onto
// the page by the device's millimetres per pixel; lines are PDF's thinnest
// (width 0: one pixel of whatever device shows or prints the page), as the
// picture's cosmetic pen.
//
// Written by hand rather than through Qt's PDF writer, which rounds a page's
// size to whole points (a frame of 79.93 mm would become 227 points, 80.08 mm).
#include "platform/TPrinterBackEnd.h"
#include "platform/TTamponOctets.h"
#include "platform/TVectorWriter.h"

#include <QByteArray>

#include <cstdint>

class TPdfWriter : public TVectorWriter {
public:
    // Frame in hundredths of a millimetre; the reference device's printable
    // area in pixels and millimetres gives the scale (both sizes positive).
    TPdfWriter(std::int32_t frameWidth, std::int32_t frameHeight, const TPrinterMetrics& reference);

    // Room for about this many points.
    void Reserve(std::size_t points);

    // Hands over the whole PDF file. Called once. Throws std::bad_alloc when
    // memory runs out.
    QByteArray Finish();

private:
    // A run is one path, stroked at its end.
    void BeginPolyline(TColor pen, std::int32_t x, std::int32_t y) override;
    void AddVertex(std::int32_t x, std::int32_t y) override;
    void EndPolyline() override;
    void DrawRectangle(TColor pen, std::optional<TColor> fill, std::int64_t x0, std::int64_t y0,
                       std::int64_t x1, std::int64_t y1) override;
    // The content's stroke colour made `pen`, written only when it changes.
    void WriteStrokeColor(TColor pen);
    // "r g b" of a colour 0x00BBGGRR, each component from 0 to 1.
    static QByteArray Components(TColor color);
    // "x y " then `operation` and a line end.
    void AppendPoint(std::int32_t x, std::int32_t y, char operation);

    std::int32_t frameWidth_;
    std::int32_t frameHeight_;
    TTamponOctets content_;               // the page's content stream
    std::optional<TColor> strokeWritten_; // the content's stroke colour, once set
};
