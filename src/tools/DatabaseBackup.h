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
    // Loads a backup of ours into the login's database. The file is checked first: a file cut
    // short or made by something else is refused with nothing dropped.
    bool restore(const QString& file);

private:
    enum class Program { Dump, Client };
    // Finds the program for the connected server's version; false after telling the operator why not.
    bool chooseProgram(Program which);
    void write(const QString& line) const;
    void status(const QString& text) const;

    ServerLogin m_login;
    Log m_log;
    QString m_program;
};

} // namespace asv
