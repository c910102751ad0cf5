#pragma once

#include <QStringList>

class QTextStream;

namespace asv {

// "report ledger [--from D --to D] [--customer C] [--csv]": the customer ledger's rows, as the
// window shows them; without a period every line and only the opening balance carried. The caller
// has opened the database. 0 done, 1 failed, 2 bad arguments (said on out).
int reportLedger(QTextStream& out, const QStringList& args);

} // namespace asv
