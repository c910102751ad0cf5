#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace asv {

// "backup [--keep N]": the hour's backup file, as the backup window writes it; prints its path, then
// removes the hour files beyond the newest N (the setting unless given). For a nightly timer, so
// nothing is asked; the steps go to standard error, and a failure, connected or not, leaves a line
// for the backup window.
int backupCommand(QTextStream& out, const QStringList& options, bool connected);
// "restore FILE": replaces the connected database's tables by a backup of ours without asking (the
// command is the operator's decision), all or nothing.
int restoreCommand(QTextStream& out, const QString& file);
// "restore --undo": puts back what the last restore replaced (kept until the next backup).
int undoRestoreCommand(QTextStream& out);

} // namespace asv
