#pragma once

#include <QString>

namespace asv {

class cMySQL;

// Structure changes a database in use can take: the server is asked to keep the table readable
// and writable while it works, and one that cannot (an older server, a change it cannot do that
// way) is asked plainly.
class OnlineAlter {
public:
    // Runs one statement on connection without a message box, an "ALTER TABLE …" online where
    // the server can; false with the server's text in error.
    static bool run(cMySQL& connection, const QString& statement, QString* error = nullptr);
};

} // namespace asv
