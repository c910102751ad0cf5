#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace asv {

// The databases beside the program's that a restore works in: a scratch one the backup is loaded
// into and checked in, and a dated one keeping the tables a restore replaced until the next
// backup, so that the restore can be undone. Tables change places in one RENAME TABLE, so a desk
// sees the old tables or the new ones, never a mixture. The statements go to the program's
// connection; a failure leaves a Korean reason in why(), and a failed read of the catalogue
// throws DbError before anything is changed.
class TableSwap {
public:
    explicit TableSwap(QString database);

    // The database pattern of a GRANT that covers every database beside database.
    static QString besidePattern(const QString& database);

    const QString& scratch() const { return m_scratch; }
    // A new, empty scratch database in the database's character set.
    bool makeScratch();
    void dropScratch();
    // Empty when the scratch holds a database the program can run on; else why not.
    QString scratchProblem() const;
    // The scratch's tables take the database's place; the replaced ones are kept in a database
    // dated at, and earlier dated ones go. The search triggers and side tables are built again.
    bool restoreScratch(const QDateTime& at);

    // The dated database of the last restore, or empty.
    QString undoDatabase() const;
    // The dated database's tables and the database's change places: a second undo redoes.
    bool undo();
    // After a new backup the replaced tables are no longer the only copy of anything.
    void dropUndos();

    const QString& why() const { return m_why; }

private:
    QStringList tablesOf(const QString& database) const;
    QStringList undoDatabases() const;
    // In the database's character set and collation.
    bool create(const QString& database);
    // Runs statement silently; false with why() set from the server's error.
    bool run(const QString& statement);
    // Moves the database's tables to away and incoming's into the database in one statement.
    bool swap(const QString& incoming, const QString& away);
    void rebuildSearch();

    QString m_database;
    QString m_scratch;
    QString m_why;
};

} // namespace asv
