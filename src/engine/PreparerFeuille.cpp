#include "engine/PreparerFeuille.h"

#include "engine/Unites.h"

#include <exception>

namespace {

// Pixels of a length in centimetres at `resolution` pixels per inch.
int Pixels(std::int32_t resolution, long double centimetres) {
    return Round(static_cast<long double>(resolution) * centimetres / 2.54L);
}

} // namespace

void PreparerFeuille(TDessin& dessin, ISheetPrinter& imprimante, IScreen& ecran,
                     ISheetImage& image) {
    // Steps 1-2: the printer. Its failure is kept for the end, so the sheet is
    // still measured and painted without a printer; but not during a job,
    // whose drawing the sheet and the list still hold.
    std::exception_ptr echecImprimante;
    try {
        imprimante.SetPortrait();
        const int resX = imprimante.ResolutionX();
        const int resY = imprimante.ResolutionY();
        dessin.ResImpX = resX;
        dessin.ResImpY = resY;
    } catch (...) {
        if (imprimante.Printing()) throw;
        echecImprimante = std::current_exception();
    }

    // Step 3: the screen.
    dessin.ResEcranX = ecran.ResolutionX();
    dessin.ResEcranY = ecran.ResolutionY();
    const std::int32_t w = dessin.ResEcranX;
    const std::int32_t h = dessin.ResEcranY;

    // Step 4: a portrait page, 21.4 x 30.1 cm.
    const int largeur = Pixels(w, 21.4L);
    const int hauteur = Pixels(h, 30.1L);
    image.SetSize(largeur, hauteur);

    // Steps 5-7: grey page outlined in black, white drawing area, brush clear.
    TCanvas& canvas = image.Canvas();
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetBrushColor(0xC0C0C0);
    canvas.SetPenColor(0x000000);
    canvas.Rectangle(0, 0, largeur, hauteur);
    canvas.SetBrushColor(0xFFFFFF);
    canvas.Rectangle(Pixels(w, 0.2L), Pixels(h, 0.2L), Pixels(w, 21.2L), Pixels(h, 15.0L));
    canvas.SetBrushStyle(TBrushStyle::Clear);

    if (echecImprimante) std::rethrow_exception(echecImprimante);
}
