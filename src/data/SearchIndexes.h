#pragma once

#include <QStringList>
#include <functional>

namespace asv {

class cMySQL;

// What only speeds the searches up and is no part of the structure version: the indexes of the
// new-database structure an older database lacks, and the reversed telephone numbers. A database
// in use at other desks gets them only when its administrator agrees (after the login, or with
// "asvelmora-ctl db index"), never silently at start.
class SearchIndexes {
public:
    struct Failure {
        QString statement;
        QString error;
    };
    // Told before each statement: how many are done, and the next one.
    using Progress = std::function<void(int done, const QString& next)>;

    // The statements the connected database lacks, in the order they are to run.
    static QStringList missingStatements();
    // Runs them one by one on connection, each without locking its table where the server can;
    // a failed one is passed over. Safe on another thread with a connection of its own.
    static QList<Failure> add(cMySQL& connection, const QStringList& statements, const Progress& progress = {});
    // missingStatements() and add() on the program's connection.
    static QList<Failure> addMissing();
};

} // namespace asv
