#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace asv {

// "sms list CODE...": writes the SMS program's recipient list of the named customers (their
// mobile numbers) without starting it, and prints the list file's path. 0 written, 1 not (told
// through the prompter).
int smsList(QTextStream& out, const QStringList& codes);

} // namespace asv
