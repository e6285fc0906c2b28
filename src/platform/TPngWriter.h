#pragma once
// Draws a picture's drawing as a PNG for the programs that take only pictures
// of pixels: the frame at 300 pixels per inch (less for a frame so large that
// the picture would pass 16 million pixels), white, lines one pixel wide and
// antialiased, with the resolution stored (pHYs) so that the picture keeps its
// true size. The drawing comes in pixels of the reference device.
#include "engine/TPolylineCanvas.h"
#include "platform/TPrinterBackEnd.h"

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QVector>

#include <cstdint>

class TPngWriter : public TPolylineCanvas {
public:
    static constexpr double DotsPerInch = 300.0;
    static constexpr double MaxPixels = 16.0 * 1024 * 1024;

    // Frame in hundredths of a millimetre, the reference device's printable
    // area in pixels and millimetres (all positive). Throws std::bad_alloc
    // when the picture cannot be allocated.
    TPngWriter(std::int32_t frameWidth, std::int32_t frameHeight, const TPrinterMetrics& reference);
    ~TPngWriter() override;
    TPngWriter(const TPngWriter&) = delete;
    TPngWriter& operator=(const TPngWriter&) = delete;

    // Finishes the drawing and hands over the PNG file's bytes. Called once.
    QByteArray Finish();

private:
    // A run is one polyline, drawn at its end.
    void BeginPolyline(TColor color, std::int32_t x, std::int32_t y) override;
    void AddVertex(std::int32_t x, std::int32_t y) override;
    void EndPolyline() override;
    void DrawRectangle(TColor color, std::optional<TColor> fill, std::int64_t x0, std::int64_t y0,
                       std::int64_t x1, std::int64_t y1) override;
    // The painter's pen: `color`, one picture pixel wide whatever the scale.
    void SetPainterPen(TColor color);

    QImage image_;
    QPainter painter_;
    QVector<QPointF> polyline_; // the run being drawn
};
