#pragma once

#include <QString>

namespace asv {

class cMySQL;

// Structure changes a database in use can take: the server is asked to keep the table readable
// and writable while it works, and one that cannot (an older server, a change it cannot do that
// way) is asked plainly.
class OnlineAlter {
public:
    // Runs one "ALTER TABLE …" on connection without a message box; false with the server's
    // text in error.
    static bool run(cMySQL& connection, const QString& alter, QString* error = nullptr);
};

} // namespace asv
