#include "BackupCommands.h"

#include "ConnectionProfile.h"
#include "DatabaseBackup.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The connection's own host: a local server's port is known only once connected.
DatabaseBackup connectedBackup()
{
    static QTextStream err(stderr);
    const ConnectionProfile profile = ConnectionProfile::read();
    const ServerLogin login{DBConnection(0)->host(), profile.user, profile.password, DBName()};
    return DatabaseBackup(login, {[](const QString& line) { err << line << '\n' << Qt::flush; }, {}});
}

} // namespace

int backupCommand(QTextStream& out)
{
    const QString written = connectedBackup().backUp();
    if (written.isEmpty())
        return 1;
    out << written << '\n';
    return 0;
}

int restoreCommand(QTextStream& out, const QString& file)
{
    if (!connectedBackup().restore(file))
        return 1;
    out << "restored " << file << " into " << DBName() << '\n';
    return 0;
}

int undoRestoreCommand(QTextStream& out)
{
    DatabaseBackup backup = connectedBackup();
    const QString kept = backup.undoDatabase();
    if (!backup.undoRestore())
        return 1;
    out << "swapped the tables of " << DBName() << " with " << kept << '\n';
    return 0;
}

} // namespace asv
