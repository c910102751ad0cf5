#pragma once

#include <QString>

struct st_mysql;

namespace asv {

// Encryption of a connection to a server in another office: required, with the certificate of
// the authority that signed the server's, so that a server without it, or one pretending to be it,
// is refused rather than talked to in clear.
struct ConnectionTls {
    bool required = false;
    // Without one, the system's authorities are trusted.
    QString caFile;

    // Sets the client library's options on a handle before it connects.
    void apply(st_mysql* handle) const;
    // The lines of a client program's option file ("[client]" section) carrying the same.
    QString optionLines() const;
};

} // namespace asv
