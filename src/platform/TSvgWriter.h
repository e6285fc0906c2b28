#pragma once
// Writes a picture's drawing as SVG text that other programs show at its true
// size: width and height are the frame in millimetres, the view box is the
// same frame in CSS pixels (96 per inch), and the drawing, in pixels of the
// reference device as the EMF records it, sits in one group scaled into that
// view box. Each run of lines drawn with one pen from one starting point
// becomes one polyline; lines are one reference pixel wide and keep their
// width at any zoom, as the picture's cosmetic pen does.
#include "engine/TCanvas.h"
#include "platform/TPrinterBackEnd.h"
#include "platform/TTamponOctets.h"

#include <QByteArray>

#include <cstdint>

class TSvgWriter : public TCanvas {
public:
    // Frame in hundredths of a millimetre; the reference device's printable
    // area in pixels and millimetres gives the scale (both sizes positive).
    TSvgWriter(std::int32_t largeurCadre, std::int32_t hauteurCadre,
               const TPrinterMetrics& reference);

    // Room for about this many points.
    void Reserver(std::size_t points);

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    // Colour (0x00BBGGRR) of the lines drawn from now on.
    void SetPenColor(TColor couleur) override;
    // Outline in the pen's colour, inside in the brush's unless it is clear;
    // right and bottom exclusive, as on the EMF picture.
    void Rectangle(int left, int top, int right, int bottom) override;
    void SetBrushColor(TColor couleur) override { pinceau_ = couleur; }
    void SetBrushStyle(TBrushStyle style) override { stylePinceau_ = style; }

    // Closes the document and hands over the text (UTF-8). Called once.
    QByteArray Terminer();

private:
    void FermerPolyligne();
    // `avant`, then "x,y".
    void AjouterPoint(char avant, std::int32_t x, std::int32_t y);
    void AjouterEntier(std::int64_t v);

    TTamponOctets texte_;
    TColor stylo_ = 0;
    TColor pinceau_ = 0xFFFFFF;
    TBrushStyle stylePinceau_ = TBrushStyle::Solid;
    std::int32_t posX_ = 0;
    std::int32_t posY_ = 0;
    bool ouverte_ = false; // a polyline's opening is written, points follow
};
