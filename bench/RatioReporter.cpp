#include "RatioReporter.h"

#include <cstdio>

namespace {
const std::string kOurs = "/ours";
const std::string kBaseline = "/baseline";

bool endsWith(const std::string &text, const std::string &suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
} // namespace

void RegisterPair(const std::string &name, std::function<void(benchmark::State &)> ours,
                  std::function<void(benchmark::State &)> baseline)
{
    benchmark::RegisterBenchmark((name + kOurs).c_str(), ours)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((name + kBaseline).c_str(), baseline)
        ->Unit(benchmark::kMicrosecond);
}

RatioReporter::Row &RatioReporter::row(const std::string &name)
{
    if (!rows.count(name))
        order.push_back(name);
    return rows[name];
}

void RatioReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        // With repetitions, the median of them stands for the case.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median))
            continue;
        const std::string &name = run.run_name.function_name;
        const double microseconds = run.GetAdjustedRealTime() *
                                    benchmark::GetTimeUnitMultiplier(benchmark::kMicrosecond) /
                                    benchmark::GetTimeUnitMultiplier(run.time_unit);
        if (endsWith(name, kOurs))
            row(name.substr(0, name.size() - kOurs.size())).ours = microseconds;
        else if (endsWith(name, kBaseline))
            row(name.substr(0, name.size() - kBaseline.size())).baseline = microseconds;
    }
}

void RatioReporter::AddRow(const std::string &name, double ours, double baseline,
                           const std::string &unit, std::optional<double> ratio)
{
    row(name) = {ours, baseline, unit, ratio};
}

void RatioReporter::PrintRatios()
{
    std::printf("\n| Benchmark | Program | Baseline | Ratio |\n|---|---|---|---|\n");
    for (const std::string &name : order) {
        const Row &r = rows[name];
        const std::string unit = r.unit.empty() ? "µs" : r.unit;
        const double ratio = r.ratio.value_or(r.baseline > 0 ? r.ours / r.baseline : 0.0);
        std::printf("| %s | %.1f %s | %.1f %s | %.2f× |\n", name.c_str(), r.ours, unit.c_str(),
                    r.baseline, unit.c_str(), ratio);
    }
    std::fflush(stdout);
}
