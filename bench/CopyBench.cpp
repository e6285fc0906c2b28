// Copy of the longest drawing: 31 curves (199, 200, 100), 200 turns each, about
// 390 000 segments, traced at 600 pixels per inch into the EMF picture,
// through the Copy command itself; the clipboard is replaced by its test seam,
// so only the bytes are built. Goal: 80 ms or less.
// Then what a paste of that picture costs: its SVG and its PNG made from the
// EMF (no goal; Copy does not make them).
#include "engine/TDessin.h"
#include "engine/Tracer.h"
#include "platform/TClipboard.h"
#include "platform/TMetafile.h"
#include "platform/TMetafileCanvas.h"
#include "platform/TPrinter.h"
#include "support/TVirtualPrinterBackEnd.h"
#include "windows/uVolutan2.h"

#include <QMimeData>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_CopyWorstList(benchmark::State& state) {
    TPrinter::SetBackEnd(std::make_shared<TVirtualPrinterBackEnd>()); // 600 dpi
    TfmVolutan2 fenetre;
    TDessin& dessin = fenetre.Dessin;
    dessin.ResImpX = 600;
    dessin.ResImpY = 600;
    dessin.ModeEcran = true;
    dessin.Cible = &fenetre.FeuilleCanvas();
    for (TSpire& spire : dessin.Spires)
        spire = TSpire{199, 200, 100, 0x0000FF};
    dessin.NbSpires = MaxSpires;

    qsizetype octetsEmf = 0;
    Clipboard().SetPlacer(
        [&](const QMimeData& donnees) { octetsEmf = donnees.data(TClipboard::MimeEmf).size(); });
    for (auto _ : state) {
        octetsEmf = 0;
        fenetre.btCopierClick();
        benchmark::DoNotOptimize(octetsEmf);
    }
    Clipboard().SetPlacer({});
    if (octetsEmf == 0) state.SkipWithError("rien n'a été copié");
    state.counters["emf_octets"] = static_cast<double>(octetsEmf);
    TPrinter::SetBackEnd(nullptr);
}

// Argument 0: the SVG, 1: the PNG.
void BM_PasteWorstList(benchmark::State& state) {
    TMetafile image;
    // The picture Copy records: E = Round(4 x (1 + 100) x 600 / 254) = 954.
    image.SetWidth(2 * 954);
    image.SetHeight(2 * 954);
    {
        TMetafileCanvas canvas(image, TPrinterMetrics{600, 600, 4800, 6600, 203, 279});
        TDessin dessin;
        dessin.Cible = &canvas;
        dessin.ModeEcran = false;
        dessin.ResImpX = 600;
        dessin.ResImpY = 600;
        dessin.CentreX = dessin.CentreY = 954.0 * 254 / 600;
        for (int i = 0; i < MaxSpires; ++i)
            Tracer(dessin, TSpire{199, 200, 100, 0x0000FF}, false);
    }
    qsizetype octets = 0;
    for (auto _ : state) {
        octets = (state.range(0) == 0 ? image.Svg() : image.Png()).size();
        benchmark::DoNotOptimize(octets);
    }
    state.counters["octets"] = static_cast<double>(octets);
}

} // namespace

BENCHMARK(BM_CopyWorstList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteWorstList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
