#pragma once

#include <QStringList>

class QTextStream;

namespace asv {

// The "sale" commands of asvelmora-ctl; the caller has opened the database. Returns the process
// exit code: 0 done, 1 refused or failed (said on out or through the prompter), 2 bad arguments.

// "add <customer> <product> <qty> [--price P] [--date D]": one sale line as the slip stores it,
// priced at the product's sale price unless P is given, dated today unless D (yyyy-mm-dd) is.
int saleCommand(QTextStream& out, const QStringList& args);

} // namespace asv
