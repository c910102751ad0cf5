#pragma once

#include <QStringList>

class QTextStream;

namespace asv {

// The "payment" commands of asvelmora-ctl; the caller has opened the database. Each returns the
// process exit code: 0 done, 1 refused or failed, 2 the arguments were wrong.

// "payment add <customer code> <amount> [--dc D] [--card]": a payment of today, entered as the
// payment screen does (the balance moves with it); prints the payment's code and the balance.
int paymentAdd(QTextStream& out, QStringList args);

} // namespace asv
