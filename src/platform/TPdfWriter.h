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
#include "engine/TCanvas.h"
#include "platform/TPrinterBackEnd.h"
#include "platform/TTamponOctets.h"

#include <QByteArray>

#include <cstdint>

class TPdfWriter : public TCanvas {
public:
    // Frame in hundredths of a millimetre; the reference device's printable
    // area in pixels and millimetres gives the scale (both sizes positive).
    TPdfWriter(std::int32_t largeurCadre, std::int32_t hauteurCadre,
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

    // Hands over the whole PDF file. Called once. Throws std::bad_alloc when
    // memory runs out.
    QByteArray Terminer();

private:
    void FermerTrace();
    // "x y " then `operateur` and a line end.
    void AjouterPoint(std::int32_t x, std::int32_t y, char operateur);

    std::int32_t largeurCadre_;
    std::int32_t hauteurCadre_;
    TTamponOctets contenu_; // the page's content stream
    TColor stylo_ = 0;
    bool styloEcrit_ = false; // the content's stroke colour is stylo_
    TColor pinceau_ = 0xFFFFFF;
    TBrushStyle stylePinceau_ = TBrushStyle::Solid;
    std::int32_t posX_ = 0;
    std::int32_t posY_ = 0;
    bool ouvert_ = false; // a path is begun, lines follow
};
