#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>

namespace asv {

// The console report, followed by each benchmark's medians and their ratios to the medians of
// the baseline benchmark (the bare statement) of the same run. Real time includes the server's
// work; CPU time is this process alone and moves less when other programs load the machine.
class MedianRatioReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal.
    explicit MedianRatioReporter(std::string baseline);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Median {
        double real;
        double cpu;
        benchmark::TimeUnit unit;
        std::string baseline;
    };

    static std::string withArgs(const std::string& function, const std::string& args);

    std::string m_baseline;
    // By the whole benchmark name, so that the arguments of one benchmark keep their own medians.
    std::map<std::string, Median> m_medians;
    // The baseline's medians by its name and arguments only.
    std::map<std::string, Median> m_baselines;
};

// benchmark::Initialize with the repetitions of all benchmarks interleaved at random, so that a
// slower minute of the machine does not fall on one of them only.
void InitializeInterleaved(int argc, char** argv);

} // namespace asv
