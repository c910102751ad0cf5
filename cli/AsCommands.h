#pragma once

#include <QString>

class QTextStream;

namespace asv {

// The "as" commands of asvelmora-ctl; the caller has opened the database. Each returns the process
// exit code: 0 done, 1 refused or failed (said on out or through the prompter).

// Receives a job for the customer's product with the text as its contents, dated now; prints the
// job number.
int asAdd(QTextStream& out, const QString& ccode, const QString& pcode, const QString& text);
// Adds a result line with this result code (one the job's product is offered) and amount to the
// job, for the job's product, charged to the customer unless free; prints the line number. The
// line has no cause code, so the result screen, which lists complete lines, does not show it;
// the balance and the reports count it.
int asResult(QTextStream& out, const QString& job, const QString& resultCode, const QString& amount, bool isfree);

} // namespace asv
