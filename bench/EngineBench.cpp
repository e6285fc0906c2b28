// The tracer in fast mode on the 96 pixels-per-inch sheet.
#include "engine/TBitmapCanvas.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"

#include <benchmark/benchmark.h>

namespace {

void Feuille(TBitmapCanvas& feuille) {
    feuille.SetSize(809, 1138);
    Dessin.Cible = &feuille;
    Dessin.ModeEcran = true;
    Dessin.ResEcranX = 96;
    Dessin.ResEcranY = 96;
    Dessin.CentreX = 1050.0;
    Dessin.CentreY = 750.0;
}

// The main window's defaults: 3645 segments. Goal: 0.5 ms or less.
void BM_TraceDefault(benchmark::State& state) {
    TBitmapCanvas feuille;
    Feuille(feuille);
    for (auto _ : state) {
        Tracer({133, 58, 25, 0x0000FF}, false);
        benchmark::DoNotOptimize(feuille.Bits());
    }
    Dessin.Cible = nullptr;
}
BENCHMARK(BM_TraceDefault)->Unit(benchmark::kMillisecond);

// The longest list the controls can give: 31 curves of 200 turns. Goal: 40 ms.
void BM_TraceWorstList(benchmark::State& state) {
    TBitmapCanvas feuille;
    Feuille(feuille);
    for (auto _ : state) {
        for (int i = 0; i < MaxSpires; ++i)
            Tracer({199, 200, 100, 0x0000FF}, false);
        benchmark::DoNotOptimize(feuille.Bits());
    }
    Dessin.Cible = nullptr;
}
BENCHMARK(BM_TraceWorstList)->Unit(benchmark::kMillisecond);

} // namespace
