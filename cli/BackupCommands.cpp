#include "BackupCommands.h"

#include "ConnectionProfile.h"
#include "DatabaseBackup.h"
#include "NightlyBackup.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The connection's own host: a local server's port is known only once connected. Each step also
// reaches seen, when given.
DatabaseBackup connectedBackup(const std::function<void(const QString&)>& seen = {})
{
    static QTextStream err(stderr);
    const ConnectionProfile profile = ConnectionProfile::read();
    const ServerLogin login{DBConnection(0)->host(), profile.user, profile.password, DBName(), DBConnection(0)->tls()};
    return DatabaseBackup(login, {[seen](const QString& line) {
                                      err << line << '\n' << Qt::flush;
                                      if (seen)
                                          seen(line);
                                  },
                                  {}});
}

} // namespace

int backupCommand(QTextStream& out, const QStringList& options, bool connected)
{
    int keep = NightlyBackup::keepCount();
    if (!options.isEmpty()) {
        bool number = false;
        keep = options.size() == 2 && options[0] == u"--keep"_s ? options[1].toInt(&number) : -1;
        if (!number || keep < 0)
            return 2;
    }
    if (!connected) {
        NightlyBackup::recordFailure(u"데이터베이스에 접속할 수 없어 백업하지 못했습니다."_s);
        return 1;
    }
    QString lastStep;
    const QString written = connectedBackup([&](const QString& line) { lastStep = line; }).backUp();
    if (written.isEmpty()) {
        NightlyBackup::recordFailure(lastStep.startsWith(u"백업 실패"_s) ? lastStep : u"백업하지 못했습니다."_s);
        return 1;
    }
    NightlyBackup::clearFailures();
    out << written << '\n';
    for (const QString& removed : NightlyBackup::prune(keep))
        out << "removed " << removed << '\n';
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
