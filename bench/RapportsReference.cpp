#include "RapportsReference.h"

#include <cstdio>

void RapportsReference::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        const bool mediane = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool seule = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!mediane && !seule) continue;
        // Both in the benchmark's own unit, the same for a pair.
        mesures_[run.run_name.str()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
}

void RapportsReference::Finalize() {
    ConsoleReporter::Finalize();
    for (const auto& [nom, temps] : mesures_) {
        const auto reference = mesures_.find(nom + "Reference");
        if (reference == mesures_.end() || reference->second.reel <= 0.0 ||
            reference->second.cpu <= 0.0)
            continue;
        std::printf("%s / %sReference: %.3f (real time), %.3f (CPU time)\n", nom.c_str(),
                    nom.c_str(), temps.reel / reference->second.reel,
                    temps.cpu / reference->second.cpu);
    }
    std::fflush(stdout);
}
