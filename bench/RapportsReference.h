#pragma once
// The console table, followed by the ratio of each benchmark BM_X to its
// yardstick BM_XReference when both ran: median times when repetitions were
// asked for (the "median" aggregate), else the one measure.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RapportsReference : public benchmark::ConsoleReporter {
public:
    using benchmark::ConsoleReporter::ConsoleReporter;
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Temps {
        double reel = 0.0;
        double cpu = 0.0;
    };
    std::map<std::string, Temps> mesures_;
};
