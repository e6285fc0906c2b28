// Benchmark entry: a QApplication on the offscreen platform (benchmarks of
// widgets need one), then Google Benchmark's own flags and run, the console
// table closed by the ratios to the reference benchmarks (unless another
// format is asked for); or, with --ouvrir-mesure, one measure of the
// hostile-file benchmark in this process.
#include "OuvrirHostile.h"
#include "RapportsReference.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <unistd.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && QByteArrayView(argv[1]) == "--ouvrir-mesure")
        return MesurerOuverture(QString::fromLocal8Bit(argv[2]));
    // (Initialize takes the benchmark's flags out of argv.)
    bool console = true;
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (argument.startsWith("--benchmark_format=") && argument != "--benchmark_format=console")
            console = false;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (console) {
        RapportsReference rapports(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Color
                                                         : benchmark::ConsoleReporter::OO_None);
        benchmark::RunSpecifiedBenchmarks(&rapports);
    } else {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    return 0;
}
