// Opening a full drawing: a file of 31 curves (199, 200, 100) read from disk,
// parsed into the list, then traced in fast mode on a sheet-sized bitmap at
// 96 pixels per inch, as Open does. Goal: 50 ms or less.
#include "engine/FichierDessin.h"
#include "engine/TBitmapCanvas.h"
#include "engine/TDessin.h"
#include "engine/Tracer.h"
#include "platform/TFichierLecture.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_OpenFull(benchmark::State& state) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("Rosacine 1.txt");
    {
        const std::vector<TSpire> spires(MaxSpires, TSpire{199, 200, 100, 255});
        const std::string octets = OctetsDessin(spires);
        QFile f(chemin);
        if (!f.open(QIODevice::WriteOnly) ||
            f.write(octets.data(), static_cast<qint64>(octets.size())) !=
                static_cast<qint64>(octets.size())) {
            state.SkipWithError("fichier d'essai impossible à écrire");
            return;
        }
    }
    TBitmapCanvas feuille;
    feuille.SetSize(809, 1138); // 21.4 cm x 30.1 cm at 96 dpi
    TDessin dessin;
    dessin.ModeEcran = true;
    dessin.ResEcranX = 96;
    dessin.ResEcranY = 96;

    for (auto _ : state) {
        {
            TFichierLecture fichier(chemin);
            LireDessin([&fichier](char* t, std::size_t n) { return fichier.Lire(t, n); }, dessin);
        }
        dessin.CentreX = 1050.0;
        dessin.CentreY = 750.0;
        dessin.Cible = &feuille;
        for (int i = 0; i < dessin.NbSpires; ++i)
            Tracer(dessin, dessin.Spires[static_cast<std::size_t>(i)], false);
        benchmark::DoNotOptimize(feuille.Bits());
    }
    if (dessin.NbSpires != MaxSpires) state.SkipWithError("la liste lue n'a pas 31 courbes");
}

} // namespace

// The file part alone (open, read, parse, close), to tell it from the tracing.
void BM_OpenReadOnly(benchmark::State& state) {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath("Rosacine 1.txt");
    const std::string octets =
        OctetsDessin(std::vector<TSpire>(MaxSpires, TSpire{199, 200, 100, 255}));
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(octets.data(), static_cast<qint64>(octets.size())) !=
            static_cast<qint64>(octets.size()))
        state.SkipWithError("fichier d'essai impossible à écrire");
    f.close();
    TDessin dessin;
    for (auto _ : state) {
        TFichierLecture fichier(chemin);
        LireDessin([&fichier](char* t, std::size_t n) { return fichier.Lire(t, n); }, dessin);
        benchmark::DoNotOptimize(dessin.NbSpires);
    }
}

BENCHMARK(BM_OpenFull)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenReadOnly)->Unit(benchmark::kMicrosecond);
