#pragma once

namespace asv {

// The report screens under the main window's menu entries: ledger, receivables, period reports,
// the sales graph and the repair tools.
class ReportsScreens {
public:
    static void registerAll();
};

} // namespace asv
