#pragma once

#include <QStringList>

class QTextStream;

namespace asv {

// "report sales --from D --to D [--customer C] [--csv]": the daily sales report's rows with its
// day and grand totals, in the window's columns (tab-separated as shown, or CSV with plain
// numbers). The caller has opened the database. Exit code 0 done, 1 failed, 2 wrong arguments.
int reportSales(QTextStream& out, const QStringList& args);

} // namespace asv
