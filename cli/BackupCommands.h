#pragma once

#include <QString>

class QTextStream;

namespace asv {

// "backup": the hour's backup file, as the backup window writes it; prints its path. For a nightly
// timer, so nothing is asked; the steps go to standard error.
int backupCommand(QTextStream& out);
// "restore FILE": replaces the connected database's tables by a backup of ours without asking (the
// command is the operator's decision), all or nothing.
int restoreCommand(QTextStream& out, const QString& file);
// "restore --undo": puts back what the last restore replaced (kept until the next backup).
int undoRestoreCommand(QTextStream& out);

} // namespace asv
