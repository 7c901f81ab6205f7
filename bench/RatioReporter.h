// A console reporter that also prints, after the run, the ratio of each "<kind>/Zelmar" benchmark to
// its "<kind>/Floor" counterpart of the same run (time per iteration).
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::map<std::string, double> zelmar;
    std::map<std::string, double> floor;
};
