#pragma once

#include "ConnectionTls.h"

#include <QString>

namespace asv {

// What a client program needs to reach the program's database. The host is written as the
// connection profile writes it: "name", "name:port", or the path of a local server's socket.
struct ServerLogin {
    QString host;
    QString user;
    QString password;
    QString database;
    ConnectionTls tls{};

    // The connection the program runs on (its application state).
    static ServerLogin current();
    // The "[client]" section of an option file carrying this login.
    QString optionFileText() const;
};

} // namespace asv
