#include "engine/Tracer.h"

#include "engine/TCourbe.h"
#include "engine/Unites.h"
#include "shell/Exceptions.h"

#include <cstdlib>

namespace {

// Pi rounded to extended precision.
constexpr long double Pi = 3.141592653589793238462643383279502884L;

// Beyond this the curve is refused: over 630 000 segments.
constexpr std::int64_t ToursMax = 10000;

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
    return static_cast<std::int32_t>(static_cast<std::int64_t>(MulInt32(a, b)) /
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

void Tracer(TSpire spire, bool lent, const TTraceLent& lenteur) {
    const std::int32_t tours = Tours(spire.Fixe, spire.Mobile);
    const std::int32_t grand = MulInt32(4, spire.Fixe);   // R
    const std::int32_t petit = MulInt32(4, spire.Mobile); // r
    TCourbe courbe(grand, petit, MulInt32(4, spire.Trou));
    const long double fin = static_cast<long double>(MulInt32(2, tours)) * Pi;

    auto pixel = [&courbe](double t, int& px, int& py) {
        std::int32_t x;
        std::int32_t y;
        courbe.Point(t, Dessin.CentreX, Dessin.CentreY, x, y);
        px = VersPixelsX(x);
        py = VersPixelsY(y);
    };

    if (Dessin.Cible == nullptr) return;
    const TColor trait = CouleurTrait(spire.Couleur);
    int px;
    int py;
    pixel(0.0, px, py);
    Dessin.Cible->MoveTo(px, py);
    Dessin.Cible->SetPenColor(trait);
    double t = 0.0;
    do {
        t += 0.1;
        pixel(t, px, py);
        // A command run during a slow trace may have changed the surface.
        if (Dessin.Cible == nullptr) return;
        Dessin.Cible->LineTo(px, py);
        if (lent) {
            if (lenteur.Pause) lenteur.Pause();
            if (lenteur.Arreter && lenteur.Arreter()) return;
            if (lenteur.Ceder) {
                lenteur.Ceder();
                // Commands run meanwhile may have moved the pen, changed its
                // colour or the surface: go on from this curve's own point, in
                // its own colour, on whatever surface is now the target.
                if (Dessin.Cible == nullptr) return;
                pixel(t, px, py);
                Dessin.Cible->MoveTo(px, py);
                Dessin.Cible->SetPenColor(trait);
            }
        }
    } while (fin >= t);
}

void TracerApercu(TCanvas& canvas, std::int32_t fixe, std::int32_t mobile, std::int32_t trou,
                  TColor couleur, double cx, double cy) {
    const std::int32_t tours = Tours(fixe, mobile);
    TCourbe courbe(fixe, mobile, trou);
    const long double fin = static_cast<long double>(MulInt32(2, tours)) * Pi;

    auto pixel = [&](double t, int& px, int& py) { courbe.Point(t, cx, cy, px, py); };

    int px;
    int py;
    pixel(0.0, px, py);
    canvas.MoveTo(px, py);
    canvas.SetPenColor(CouleurTrait(couleur));
    double t = 0.0;
    do {
        t += 0.1;
        pixel(t, px, py);
        canvas.LineTo(px, py);
    } while (fin >= t);
}
