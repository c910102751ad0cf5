#pragma once

#include "ServerLogin.h"

#include <QString>

namespace asv {

// The program's database made from nothing on an office server, by an administrator of that
// server whose login is used for this once and kept nowhere: the database in euckr, the program's
// account with the rights a private server gives its own, the current structure and the search
// indexes. A database that already holds tables is left exactly as it is.
class OfficeDatabase {
public:
    enum class Outcome { Created, Exists, Failed };

    // account names the program's login (its host is not used: the account answers from any PC).
    static Outcome create(const ServerLogin& administrator, const ServerLogin& account, QString& message);
    // Whether the program's login finds no database, or one without tables, to work on: then
    // create() is what it needs. Any other failure (a server gone) is not.
    static bool missingOrEmpty(const ServerLogin& account);
};

} // namespace asv
