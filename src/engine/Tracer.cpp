#include "engine/Tracer.h"

#include "core/Exceptions.h"
#include "engine/TCourbe.h"
#include "engine/Unites.h"

#include <cstdlib>

namespace {

// Pi rounded to extended precision.
constexpr long double Pi = 3.141592653589793238462643383279502884L;

// Beyond this the curve is refused: over 630 000 segments.
constexpr std::int64_t ToursMax = 10000;

// The polyline both tracers draw: the point at 0, the pen colour, then one line
// per step of 0.1 of the parameter until `tours` turns are done; `pixel` gives
// the point at t in the surface's pixels. `cible` is read again at every
// segment: a command run during a slow trace may change the surface or take
// it away (the trace then ends).
template <class Pixel>
void Parcourir(TCanvas* const& cible, std::int32_t tours, TColor trait, const Pixel& pixel,
               bool lent, const TTraceLent& lenteur) {
    const long double fin = static_cast<long double>(Produit32(2, tours)) * Pi;
    if (cible == nullptr) return;
    int px;
    int py;
    pixel(0.0, px, py);
    cible->MoveTo(px, py);
    cible->SetPenColor(trait);
    double t = 0.0;
    do {
        t += 0.1;
        pixel(t, px, py);
        if (cible == nullptr) return;
        cible->LineTo(px, py);
        if (lent) {
            if (lenteur.Pause) lenteur.Pause();
            if (lenteur.Arreter && lenteur.Arreter()) return;
            if (lenteur.Ceder) {
                lenteur.Ceder();
                // Commands run meanwhile may have moved the pen, changed its
                // colour or the surface: go on from this curve's own point, in
                // its own colour, on whatever surface is now the target.
                if (cible == nullptr) return;
                pixel(t, px, py);
                cible->MoveTo(px, py);
                cible->SetPenColor(trait);
            }
        }
    } while (fin >= t);
}

} // namespace

std::int32_t PPCM(std::int32_t a, std::int32_t b) {
    if (a == 0 || b == 0) throw EDivByZero();
    std::uint32_t x = static_cast<std::uint32_t>(std::llabs(a));
    std::uint32_t y = static_cast<std::uint32_t>(std::llabs(b));
    for (std::uint32_t r = x % y; r > 0; r = x % y) {
        x = y;
        y = r;
    }
    // y, the greatest common divisor, is at least 1: the quotient fits.
    return static_cast<std::int32_t>(static_cast<std::int64_t>(Produit32(a, b)) /
                                     static_cast<std::int64_t>(y));
}

std::int32_t Tours(std::int32_t fixe, std::int32_t mobile) {
    const std::int64_t tours = static_cast<std::int64_t>(PPCM(fixe, mobile)) / fixe;
    if (tours > ToursMax) throw Exception("Courbe trop longue : plus de 10000 tours");
    return static_cast<std::int32_t>(tours);
}

TColor CouleurTrait(std::int32_t couleur) {
    return couleur == clNone ? 0 : couleur & 0xFFFFFF;
}

void Tracer(const TDessin& dessin, TSpire spire, bool lent, const TTraceLent& lenteur) {
    const std::int32_t tours = Tours(spire.Fixe, spire.Mobile);
    const std::int32_t grand = Produit32(4, spire.Fixe);   // R
    const std::int32_t petit = Produit32(4, spire.Mobile); // r
    TCourbe courbe(grand, petit, Produit32(4, spire.Trou));
    Parcourir(
        dessin.Cible, tours, CouleurTrait(spire.Couleur),
        [&courbe, &dessin](double t, int& px, int& py) {
            std::int32_t x;
            std::int32_t y;
            courbe.Point(t, dessin.CentreX, dessin.CentreY, x, y);
            px = VersPixelsX(dessin, x);
            py = VersPixelsY(dessin, y);
        },
        lent, lenteur);
}

void TracerApercu(TCanvas& canvas, std::int32_t fixe, std::int32_t mobile, std::int32_t trou,
                  TColor couleur, double cx, double cy, double echelle) {
    const std::int32_t tours = Tours(fixe, mobile);
    TCourbe courbe(fixe, mobile, trou, echelle);
    TCanvas* const cible = &canvas;
    Parcourir(cible, tours, CouleurTrait(couleur),
              [&courbe, cx, cy](double t, int& px, int& py) { courbe.Point(t, cx, cy, px, py); },
              false, {});
}
