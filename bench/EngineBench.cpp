// The tracer in fast mode on the 96 pixels-per-inch sheet, and the yardstick it
// is measured against on the same machine: the same curves traced with the C
// library's long double sine and cosine onto the same canvas (the program
// prints the ratio of each benchmark to its ...Reference after the table).
#include "engine/TBitmapCanvas.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"
#include "engine/Unites.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// The plain tracer: every point straight from the formula in long double, the
// same loop, rounding, conversion and canvas calls as Tracer in fast mode.
void TracerReference(const TDessin& dessin, TSpire spire) {
    const std::int32_t tours = Tours(spire.Fixe, spire.Mobile);
    const long double R = Produit32(4, spire.Fixe);
    const long double r = Produit32(4, spire.Mobile);
    const long double d = Produit32(4, spire.Trou);
    const long double fin =
        static_cast<long double>(Produit32(2, tours)) * 3.141592653589793238462643383279502884L;
    auto pixel = [&](double t, int& px, int& py) {
        const long double tl = t;
        const long double u = tl - R * tl / r;
        const double x =
            static_cast<double>((r - R) * std::cos(tl) + dessin.CentreX + d * std::cos(u));
        const double y =
            static_cast<double>((r - R) * std::sin(tl) + dessin.CentreY + d * std::sin(u));
        px = VersPixelsX(dessin, Round(x));
        py = VersPixelsY(dessin, Round(y));
    };
    int px;
    int py;
    pixel(0.0, px, py);
    dessin.Cible->MoveTo(px, py);
    dessin.Cible->SetPenColor(CouleurTrait(spire.Couleur));
    double t = 0.0;
    do {
        t += 0.1;
        pixel(t, px, py);
        dessin.Cible->LineTo(px, py);
    } while (fin >= t);
}

TDessin Feuille(TBitmapCanvas& feuille) {
    feuille.SetSize(809, 1138);
    TDessin dessin;
    dessin.Cible = &feuille;
    dessin.ModeEcran = true;
    dessin.ResEcranX = 96;
    dessin.ResEcranY = 96;
    dessin.CentreX = 1050.0;
    dessin.CentreY = 750.0;
    return dessin;
}

// The main window's defaults: 3645 segments. Goals: 0.5 ms or less, and at most
// 0.20 x BM_TraceDefaultReference.
void BM_TraceDefault(benchmark::State& state) {
    TBitmapCanvas feuille;
    const TDessin dessin = Feuille(feuille);
    for (auto _ : state) {
        Tracer(dessin, {133, 58, 25, 0x0000FF}, false);
        benchmark::DoNotOptimize(feuille.Bits());
    }
}
BENCHMARK(BM_TraceDefault)->Unit(benchmark::kMillisecond);

void BM_TraceDefaultReference(benchmark::State& state) {
    TBitmapCanvas feuille;
    const TDessin dessin = Feuille(feuille);
    for (auto _ : state) {
        TracerReference(dessin, {133, 58, 25, 0x0000FF});
        benchmark::DoNotOptimize(feuille.Bits());
    }
}
BENCHMARK(BM_TraceDefaultReference)->Unit(benchmark::kMillisecond);

// The longest list the controls can give: 31 curves of 200 turns. Goals: 40 ms,
// and at most 0.20 x BM_TraceWorstListReference.
void BM_TraceWorstList(benchmark::State& state) {
    TBitmapCanvas feuille;
    const TDessin dessin = Feuille(feuille);
    for (auto _ : state) {
        for (int i = 0; i < MaxSpires; ++i)
            Tracer(dessin, {199, 200, 100, 0x0000FF}, false);
        benchmark::DoNotOptimize(feuille.Bits());
    }
}
BENCHMARK(BM_TraceWorstList)->Unit(benchmark::kMillisecond);

void BM_TraceWorstListReference(benchmark::State& state) {
    TBitmapCanvas feuille;
    const TDessin dessin = Feuille(feuille);
    for (auto _ : state) {
        for (int i = 0; i < MaxSpires; ++i)
            TracerReference(dessin, {199, 200, 100, 0x0000FF});
        benchmark::DoNotOptimize(feuille.Bits());
    }
}
BENCHMARK(BM_TraceWorstListReference)->Unit(benchmark::kMillisecond);

} // namespace
