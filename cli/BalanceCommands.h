#pragma once

#include <QStringList>

class QTextStream;

namespace asv {

// The balance commands of asvelmora-ctl; the caller has opened the database. Each returns the
// process exit code: 0 done, 1 refused, failed or (under --check) differences found, 2 the
// arguments were wrong.

// "repair balances [--check]": brings every customer's running balance back to its documents and
// prints each correction; --check only prints them and writes nothing.
int repairBalances(QTextStream& out, bool checkOnly);

// "report receivables --from D --to D [--customer C] [--csv]": the receivables status of the
// period, customers whose balance is not 0, by code.
int reportReceivables(QTextStream& out, const QStringList& args);

} // namespace asv
