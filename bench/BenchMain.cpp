// Benchmark entry: a QApplication on the offscreen platform (benchmarks of
// widgets need one), then Google Benchmark's own flags and run; or, with
// --ouvrir-mesure, one measure of the hostile-file benchmark in this process.
#include "OuvrirHostile.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && QByteArrayView(argv[1]) == "--ouvrir-mesure")
        return MesurerOuverture(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
