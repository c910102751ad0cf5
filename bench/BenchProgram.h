#pragma once

#include "ConsolePrompter.h"
#include "MedianRatioReporter.h"

#include <QtGlobal>

namespace asv {

namespace detail {
// Set before the application exists: windows a benchmark opens stay offscreen.
struct OffscreenPlatform {
    OffscreenPlatform() { qputenv("QT_QPA_PLATFORM", "offscreen"); }
};
} // namespace detail

// What every benchmark program starts with: Qt's application, "no" to any question the stores or
// windows ask on the way, and the benchmark library with its repetitions interleaved.
template <typename Application>
class BenchProgram : detail::OffscreenPlatform {
public:
    BenchProgram(int& argc, char** argv) : m_app(argc, argv) { InitializeInterleaved(argc, argv); }

    Application& app() { return m_app; }

private:
    Application m_app;
    ConsolePrompter m_prompter{MsgAnswer::No};
};

} // namespace asv
