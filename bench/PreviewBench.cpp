// One spin step in the curve editor on the row (133, 58, 25): the step of the
// open spin editor on the hole cell, its handler writing the cell, and the
// preview redrawn into its 369 x 409 bitmap (58 turns, 3645 segments). The
// steps alternate 25 -> 26 -> 25 so every one draws the same long curve.
// Goal: 2 ms or less, so that a held arrow (a step every 100 ms) stays smooth.
#include "controls/TCellGrid.h"
#include "controls/TGridSpin.h"
#include "controls/TImage.h"
#include "shell/TApplication.h"
#include "windows/uModifier.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_PreviewStep(benchmark::State& state) {
    auto application = std::make_unique<TApplication>();
    QStringList messages;
    application->SetReporter([&](const QString&, const QString& texte) { messages << texte; });
    auto* dialogue = application->CreateForm(fmModifier);
    TCellGrid* grille = dialogue->asgSpires;
    grille->SetCellText(1, 1, "133");
    grille->SetCellText(2, 1, "58");
    grille->SetCellText(3, 1, "25");
    grille->SetCellFontColor(0, 1, 0x0000FF);
    dialogue->SetNombreLignes(1);
    grille->SetCurrentCell(3, 1);
    grille->ShowEditor();
    TGridSpin* spin = grille->SpinEdit();

    int sens = 1;
    for (auto _ : state) {
        spin->stepBy(sens);
        sens = -sens;
        benchmark::DoNotOptimize(dialogue->Image2->Bitmap().Bits());
    }
    if (grille->Editor() != spin ||
        (grille->CellText(3, 1) != "25" && grille->CellText(3, 1) != "26"))
        state.SkipWithError("the spin editor did not step the cell");
    else if (!messages.isEmpty())
        state.SkipWithError(messages.first().toStdString().c_str());
    else if (dialogue->Image2->Bitmap().Pixel(0, 0) != 0)
        state.SkipWithError("the preview was not drawn");

    delete fmModifier;
    fmModifier = nullptr;
}
BENCHMARK(BM_PreviewStep)->Unit(benchmark::kMillisecond);

} // namespace
