#include "MedianRatioReporter.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace asv {

MedianRatioReporter::MedianRatioReporter(std::string baseline)
    : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular)
    , m_baseline(std::move(baseline))
{
}

void MedianRatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
            continue;
        const Median median{run.GetAdjustedRealTime(), run.GetAdjustedCPUTime(), run.time_unit,
                            withArgs(m_baseline, run.run_name.args)};
        m_medians[run.run_name.str()] = median;
        if (run.run_name.function_name == m_baseline)
            m_baselines[median.baseline] = median;
    }
}

std::string MedianRatioReporter::withArgs(const std::string& function, const std::string& args)
{
    return args.empty() ? function : function + '/' + args;
}

void MedianRatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << "\nMedians, real and CPU time, and their ratios to " << m_baseline << ":\n";
    for (const auto& [name, median] : m_medians) {
        const char* unit = benchmark::GetTimeUnitString(median.unit);
        out << "  " << name << ": real " << median.real << ' ' << unit << ", CPU " << median.cpu << ' ' << unit;
        // Each argument is compared with the bare statement given the same argument.
        const auto base = m_baselines.find(median.baseline);
        if (base != m_baselines.end() && base->second.unit == median.unit)
            out << "  (x" << median.real / base->second.real << " real, x" << median.cpu / base->second.cpu << " CPU)";
        out << '\n';
    }
}

void InitializeInterleaved(int argc, char** argv)
{
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
}

} // namespace asv
