#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>

namespace asv {

// The console report, followed by each benchmark's median and its ratio to the median of the
// baseline benchmark (the bare statement) of the same run.
class MedianRatioReporter : public benchmark::ConsoleReporter {
public:
    explicit MedianRatioReporter(std::string baseline);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Median {
        double time;
        benchmark::TimeUnit unit;
    };

    std::string m_baseline;
    std::map<std::string, Median> m_medians;
};

} // namespace asv
