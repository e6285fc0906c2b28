#pragma once
// Writes the same drawing as the EMF picture as SVG text: width and height are
// the picture's frame in millimetres, and the view box is the frame in pixels
// of the reference device, so one user unit is one reference pixel and every
// point is the one recorded in the EMF. Each run of lines drawn with one pen
// from one starting point becomes one polyline; lines are one pixel wide and
// keep that width at any zoom, as the picture's cosmetic pen does.
#include "engine/TCanvas.h"
#include "platform/TPrinterBackEnd.h"
#include "platform/TTamponOctets.h"

#include <QByteArray>

#include <cstdint>

class TSvgWriter {
public:
    // Frame in hundredths of a millimetre; the reference device's printable
    // area in pixels and millimetres gives the scale (both sizes positive).
    TSvgWriter(std::int32_t largeurCadre, std::int32_t hauteurCadre,
               const TPrinterMetrics& reference);

    // Room for about this many points.
    void Reserver(std::size_t points);

    void MoveTo(std::int32_t x, std::int32_t y);
    void LineTo(std::int32_t x, std::int32_t y);
    // Colour (0x00BBGGRR) of the lines drawn from now on.
    void SetPen(TColor couleur);
    // Outline in the pen's colour, inside in `remplissage` unless `plein` is
    // false; right and bottom exclusive, as on the EMF picture.
    void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                   bool plein, TColor remplissage);

    // Closes the document and hands over the text (UTF-8). Called once.
    QByteArray Terminer();

private:
    void FermerPolyligne();
    // `avant`, then "x,y".
    void AjouterPoint(char avant, std::int32_t x, std::int32_t y);
    void AjouterEntier(std::int64_t v);

    TTamponOctets texte_;
    TColor stylo_ = 0;
    std::int32_t posX_ = 0;
    std::int32_t posY_ = 0;
    bool ouverte_ = false; // a polyline's opening is written, points follow
};
