// Copy of the longest drawing: 31 curves (199, 200, 100), 200 turns each, about
// 390 000 segments, traced at 600 pixels per inch into the EMF picture and its
// SVG, through the Copy command itself; the clipboard is replaced by its test
// seam, so only the bytes are built. Goal: 80 ms or less.
#include "engine/TDessin.h"
#include "platform/TClipboard.h"
#include "platform/TPrinter.h"
#include "platform/TVirtualPrinterBackEnd.h"
#include "uVolutan2.h"

#include <QMimeData>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_CopyWorstList(benchmark::State& state) {
    TPrinter::SetBackEnd(std::make_shared<TVirtualPrinterBackEnd>()); // 600 dpi
    TfmVolutan2 fenetre;
    Dessin.ResImpX = 600;
    Dessin.ResImpY = 600;
    Dessin.ModeEcran = true;
    Dessin.Cible = &fenetre.FeuilleCanvas();
    for (TSpire& spire : Dessin.Spires)
        spire = TSpire{199, 200, 100, 0x0000FF};
    Dessin.NbSpires = MaxSpires;

    qsizetype octetsEmf = 0;
    qsizetype octetsSvg = 0;
    Clipboard().SetPoseur([&](const QMimeData& donnees) {
        octetsEmf = donnees.data(TClipboard::MimeEmf).size();
        octetsSvg = donnees.data(TClipboard::MimeSvg).size();
    });
    for (auto _ : state) {
        octetsEmf = 0;
        fenetre.btCopierClick();
        benchmark::DoNotOptimize(octetsEmf);
    }
    Clipboard().SetPoseur({});
    if (octetsEmf == 0) state.SkipWithError("rien n'a été copié");
    state.counters["emf_octets"] = static_cast<double>(octetsEmf);
    state.counters["svg_octets"] = static_cast<double>(octetsSvg);
    Dessin.Cible = nullptr;
    Dessin.NbSpires = 0;
    TPrinter::SetBackEnd(nullptr);
}

} // namespace

BENCHMARK(BM_CopyWorstList)->Unit(benchmark::kMillisecond);
