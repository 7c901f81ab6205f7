#include "bench/RatioReporter.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.iterations == 0 || run.run_type != Run::RT_Iteration)
            continue;
        const std::string name = run.benchmark_name();
        const auto slash = name.rfind('/');
        if (slash == std::string::npos)
            continue;
        const std::string kind = name.substr(0, slash);
        const std::string side = name.substr(slash + 1);
        const double perIteration = run.GetAdjustedRealTime();
        if (side == "Zelmar")
            zelmar[kind] = perIteration;
        else if (side == "Floor")
            floor[kind] = perIteration;
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\n%-40s %12s\n", "kind", "Zelmar/Floor");
    for (const auto& [kind, time] : zelmar) {
        const auto other = floor.find(kind);
        if (other != floor.end() && other->second > 0)
            std::printf("%-40s %12.2f\n", kind.c_str(), time / other->second);
    }
}
