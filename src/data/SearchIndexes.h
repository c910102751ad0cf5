#pragma once

#include <QStringList>
#include <functional>

namespace asv {

class cMySQL;

// What only speeds the searches up and is no part of the structure version: the indexes of the
// new-database structure an older database lacks, the reversed telephone numbers and the
// three-character pieces of the names; and the empty default of the consultation texts a
// database made earlier lacks, which needs no version either. A database
// in use at other desks gets them only when its administrator agrees (after the login, or with
// "asvelmora-ctl db index"), never silently at start.
class SearchIndexes {
public:
    struct Failure {
        QString statement;
        QString error;
        unsigned int number = 0;
    };
    // Told before each statement: how many are done, and the next one.
    using Progress = std::function<void(int done, const QString& next)>;

    // The statements the connected database lacks, in the order they are to run.
    static QStringList missingStatements();
    // Runs them one by one on connection, each change of a table without locking it where the
    // server can; a failed one is passed over, and with it the rest of its side table. Safe on
    // another thread with a connection of its own.
    static QList<Failure> add(cMySQL& connection, const QStringList& statements, const Progress& progress = {});
    // missingStatements() and add() on the program's connection.
    static QList<Failure> addMissing();
    // The searches ask the database again which of them it has.
    static void forget();

    // What the administrator must do when the server refused the triggers for want of a
    // privilege (binary logging on, the account without SUPER); "" when no failure says so.
    static QString adviceFor(const QList<Failure>& failures);
    static QString triggerPrivilegeAdvice();
    // The statements as an administrator runs them for the program's account (account as
    // CURRENT_USER() gives it, "user@host"): the triggers stay that account's, not the
    // administrator's, whose login is used once.
    static QStringList asDefiner(const QStringList& statements, const QString& account);
};

} // namespace asv
