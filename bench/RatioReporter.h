#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Registers the program's code and its baseline as one pair: "CASE/ours" and
// "CASE/baseline". Both run in the same process, one after the other.
void RegisterPair(const std::string &name, std::function<void(benchmark::State &)> ours,
                  std::function<void(benchmark::State &)> baseline);

// Google Benchmark's usual report, then a table with one row per pair: the
// program's time, the baseline's, and their ratio.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;

    // The table of pairs, after every benchmark has run.
    void PrintRatios();

    // A pair measured outside Google Benchmark, such as peak memory; ratio is
    // the median of the ratios of pairs measured in turns, when they were.
    void AddRow(const std::string &name, double ours, double baseline, const std::string &unit,
                std::optional<double> ratio = std::nullopt);

private:
    struct Row
    {
        double ours = 0;
        double baseline = 0;
        std::string unit;
        std::optional<double> ratio;
    };
    std::vector<std::string> order;
    std::map<std::string, Row> rows;

    Row &row(const std::string &name);
};
