#include "MedianRatioReporter.h"

#include <ostream>

namespace asv {

MedianRatioReporter::MedianRatioReporter(std::string baseline)
    : m_baseline(std::move(baseline))
{
}

void MedianRatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            m_medians[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.time_unit};
    }
}

void MedianRatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    const auto base = m_medians.find(m_baseline);
    std::ostream& out = GetOutputStream();
    out << "\nMedians (real time), ratio to " << m_baseline << ":\n";
    for (const auto& [name, median] : m_medians) {
        out << "  " << name << ": " << median.time << ' ' << benchmark::GetTimeUnitString(median.unit);
        if (base != m_medians.end() && base->second.unit == median.unit)
            out << "  x" << median.time / base->second.time;
        out << '\n';
    }
}

} // namespace asv
