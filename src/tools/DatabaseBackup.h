#pragma once

#include "ServerLogin.h"

#include <QString>
#include <functional>

namespace asv {

// Backup of the whole database into the hour's file below the program folder with the server's
// dump program, and its restore with the command-line client. Refusals and failures reach the
// operator through the Prompter; the steps go to the log.
class DatabaseBackup {
public:
    struct Log {
        // A line of the record.
        std::function<void(const QString&)> line;
        // The state of a running program, replacing the previous one.
        std::function<void(const QString&)> status;
    };

    DatabaseBackup(ServerLogin login, Log log);

    // The file written, or empty when refused or failed. A failed dump leaves an earlier file
    // of the same hour as it was.
    QString backUp();
    // Replaces the tables of the login's database, which is the program's, by those of a backup
    // of ours, all or nothing: the file is loaded into a database beside it and checked there
    // first. The replaced tables are kept until the next backup. A refusal changes nothing.
    bool restore(const QString& file);
    // The database keeping what the last restore replaced, or empty when there is none.
    QString undoDatabase() const;
    // Puts the replaced tables back; the restored ones are kept instead, so a second undo redoes.
    bool undoRestore();

private:
    enum class Program { Dump, Client };
    // Finds the program for the connected server's version; false after telling the operator why not.
    bool chooseProgram(Program which);
    void write(const QString& line) const;
    void status(const QString& text) const;
    bool restoreFile(const QString& file);
    // Tells the operator why nothing was changed; false.
    bool refuse(const QString& heading, const QString& why);

    ServerLogin m_login;
    Log m_log;
    QString m_program;
};

} // namespace asv
