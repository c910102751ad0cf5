#pragma once

#include <QString>

class QTextStream;

namespace asv {

// "backup": the hour's backup file, as the backup window writes it; prints its path. For a nightly
// timer, so nothing is asked; the steps go to standard error.
int backupCommand(QTextStream& out);
// "restore FILE": loads a backup of ours into the connected database without asking (the command
// is the operator's decision); a file cut short or not ours is refused with nothing dropped.
int restoreCommand(QTextStream& out, const QString& file);

} // namespace asv
