// Copy of the longest drawing: 31 curves (199, 200, 100), 200 turns each, about
// 390 000 segments, traced at 600 pixels per inch into the EMF picture,
// through the Copy command itself; the clipboard is replaced by its test seam,
// so only the bytes are built. Goal: 80 ms or less.
// Then what a paste of that picture costs: its SVG and its PNG made from the
// EMF, and whether the clipboard offers them (past its bound it offers the EMF
// only: goal, a paste of what is offered within 1 s).
#include "engine/Etendue.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"
#include "platform/TClipboard.h"
#include "platform/TClipboardData.h"
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

// The picture Copy records for 31 copies of `spire` at 600 dpi.
TMetafile ImageListe(const TSpire& spire) {
    TDessin dessin;
    dessin.ModeEcran = false;
    dessin.ResImpX = 600;
    dessin.ResImpY = 600;
    dessin.Spires[0] = spire;
    dessin.NbSpires = 1;
    // E = Round(4 x (|Mobile - Fixe| + Trou) x 600 / 254).
    const std::int32_t e = Etendue(dessin);
    TMetafile image;
    image.SetWidth(2 * e);
    image.SetHeight(2 * e);
    {
        TMetafileCanvas canvas(image, TPrinterMetrics{600, 600, 4800, 6600, 203, 279});
        dessin.Cible = &canvas;
        dessin.CentreX = dessin.CentreY = e * 254.0 / 600;
        for (int i = 0; i < MaxSpires; ++i)
            Tracer(dessin, spire, false);
    }
    return image;
}

// Argument 0: the SVG, 1: the PNG; argument 1, 31 curves of: 0 the longest
// list the editor makes (200 turns each, about 390 000 segments, E = 954),
// 1 1 000 turns each (1.95 million segments, an EMF just under the
// clipboard's bound), 2 the longest a file can hold
// (10 000 turns each, 19.5 million segments, E = 1 200).
void BM_PasteWorstList(benchmark::State& state) {
    static const TSpire spires[] = {
        {199, 200, 100, 0x0000FF}, {999, 1000, 100, 0x0000FF}, {9973, 10000, 100, 0x0000FF}};
    const TMetafile image = ImageListe(spires[state.range(1)]);
    qsizetype octets = 0;
    for (auto _ : state) {
        octets = (state.range(0) == 0 ? image.Svg() : image.Png()).size();
        benchmark::DoNotOptimize(octets);
    }
    state.counters["emf_octets"] = static_cast<double>(image.Emf().size());
    state.counters["octets"] = static_cast<double>(octets);
    // 1 when the clipboard offers this type for the picture, 0 past its bound.
    state.counters["offert"] = TClipboardData(image).hasFormat(QString::fromLatin1(
                                   state.range(0) == 0 ? TClipboard::MimeSvg : TClipboard::MimePng))
                                   ? 1
                                   : 0;
}

} // namespace

BENCHMARK(BM_CopyWorstList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteWorstList)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 2})
    ->Args({1, 2})
    ->Unit(benchmark::kMillisecond);
