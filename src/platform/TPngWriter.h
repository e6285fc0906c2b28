#pragma once
// Draws a picture's drawing as a PNG for the programs that take only pictures
// of pixels: the frame at 300 pixels per inch (less for a frame so large that
// the picture would pass 16 million pixels), white, lines one pixel wide and
// antialiased, with the resolution stored (pHYs) so that the picture keeps its
// true size. The drawing comes in pixels of the reference device.
#include "engine/TCanvas.h"
#include "platform/TPrinterBackEnd.h"

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QVector>

#include <cstdint>

class TPngWriter : public TCanvas {
public:
    static constexpr double PointsParPouce = 300.0;
    static constexpr double PixelsAuPlus = 16.0 * 1024 * 1024;

    // Frame in hundredths of a millimetre, the reference device's printable
    // area in pixels and millimetres (all positive). Throws std::bad_alloc
    // when the picture cannot be allocated.
    TPngWriter(std::int32_t largeurCadre, std::int32_t hauteurCadre,
               const TPrinterMetrics& reference);
    ~TPngWriter() override;
    TPngWriter(const TPngWriter&) = delete;
    TPngWriter& operator=(const TPngWriter&) = delete;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void SetPenColor(TColor couleur) override;
    void SetBrushColor(TColor couleur) override { pinceau_ = couleur; }
    void SetBrushStyle(TBrushStyle style) override { stylePinceau_ = style; }

    // Finishes the drawing and hands over the PNG file's bytes. Called once.
    QByteArray Terminer();

private:
    void Vider();

    QImage image_;
    QPainter peintre_;
    QVector<QPointF> polyligne_; // the lines drawn since the last move or pen
    QPointF position_;
    TColor pinceau_ = 0xFFFFFF;
    TBrushStyle stylePinceau_ = TBrushStyle::Solid;
};
