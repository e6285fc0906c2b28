// The tracer in fast mode on the 96 pixels-per-inch sheet.
#include "engine/TBitmapCanvas.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"

#include <benchmark/benchmark.h>

namespace {

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

// The main window's defaults: 3645 segments. Goal: 0.5 ms or less.
void BM_TraceDefault(benchmark::State& state) {
    TBitmapCanvas feuille;
    const TDessin dessin = Feuille(feuille);
    for (auto _ : state) {
        Tracer(dessin, {133, 58, 25, 0x0000FF}, false);
        benchmark::DoNotOptimize(feuille.Bits());
    }
}
BENCHMARK(BM_TraceDefault)->Unit(benchmark::kMillisecond);

// The longest list the controls can give: 31 curves of 200 turns. Goal: 40 ms.
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

} // namespace
