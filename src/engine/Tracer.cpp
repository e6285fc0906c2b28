#include "engine/Tracer.h"

#include "engine/SinCos.h"
#include "engine/Unites.h"
#include "shell/Exceptions.h"

#include <cstdlib>

namespace {

// Pi rounded to extended precision.
constexpr long double Pi = 3.141592653589793238462643383279502884L;

// Beyond this the curve is refused: over 630 000 segments.
constexpr std::int64_t ToursMax = 10000;

std::int32_t Moins(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// One coordinate pair of the curve, evaluated in extended precision and stored
// as doubles: (a - b) cos t + c + e cos(t - b t / a), likewise with sines.
// a = 0 (a wrapped tooth count) leaves the second term 0.
// The preview scales both terms by k; k * ecart and k * e are exact, so at 1
// the points are those of the unscaled formula.
struct Courbe {
    std::int32_t ecart; // a - b
    std::int32_t b;
    std::int32_t a;
    std::int32_t e;
    long double k = 1.0L;

    void Point(double t, double cx, double cy, double& x, double& y) const {
        const long double tl = t;
        long double st;
        long double ct;
        SinCos(tl, st, ct);
        long double su = 0.0L;
        long double cu = 0.0L;
        if (a != 0)
            SinCos(tl - static_cast<long double>(b) * tl / static_cast<long double>(a), su, cu);
        x = static_cast<double>(k * ecart * ct + cx + k * e * cu);
        y = static_cast<double>(k * ecart * st + cy + k * e * su);
    }
};

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
    const Courbe courbe{Moins(petit, grand), grand, petit, MulInt32(4, spire.Trou)};
    const long double fin = static_cast<long double>(MulInt32(2, tours)) * Pi;

    auto pixel = [&courbe](double t, int& px, int& py) {
        double x;
        double y;
        courbe.Point(t, Dessin.CentreX, Dessin.CentreY, x, y);
        px = VersPixelsX(Round(x));
        py = VersPixelsY(Round(y));
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
                  TColor couleur, double cx, double cy, double echelle) {
    const std::int32_t tours = Tours(fixe, mobile);
    const Courbe courbe{Moins(mobile, fixe), fixe, mobile, trou, echelle};
    const long double fin = static_cast<long double>(MulInt32(2, tours)) * Pi;

    auto pixel = [&](double t, int& px, int& py) {
        double x;
        double y;
        courbe.Point(t, cx, cy, x, y);
        px = Round(x);
        py = Round(y);
    };

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
