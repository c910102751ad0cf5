#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace asv {

// The "as" commands of asvelmora-ctl; the caller has opened the database. Each returns the process
// exit code: 0 done, 1 refused or failed (said on out or through the prompter).

// Receives a job for the customer's product with the text as its contents, dated now; prints the
// job number.
int asAdd(QTextStream& out, const QString& ccode, const QString& pcode, const QString& text);
// "JOB CODE AMOUNT [--cause C] [--free]": adds a result line with this result code and amount to
// the job, for the job's product, charged to the customer unless free; prints the line number.
// Both codes must be ones the line dialog offers for the product; without a cause code the line
// takes the dialog's first, so that the result screen lists it like any other. 2: wrong arguments.
int asResult(QTextStream& out, QStringList args);

} // namespace asv
