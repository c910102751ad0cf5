#pragma once

#include "ConnectionTls.h"

#include <QString>

namespace asv {

// The connection profile kept under the application "OstraSoft 접속관리자", shared with the
// connection tool of older installations. This program also writes it: on Linux that tool
// does not exist, so the connection dialog takes its place.
struct ConnectionProfile {
    QString host;
    QString user;
    QString database;
    QString password; // decoded
    bool localServer = false;
    ConnectionTls tls{};

    static const QString& application();
    static ConnectionProfile read();
    // Whether a profile was ever saved here (read() gives defaults otherwise).
    static bool exists();
    void write() const;

    static QString encodePassword(const QString& plain);
    static QString decodePassword(const QString& stored);

    // The account the maker shares among installations, "Ostra" unless the setting
    // "Config"/"SharedDbAccount" names another; connected with it, the administrator's user record
    // stays unchangeable.
    static QString sharedAccount();
    static QString defaultSharedAccount();
    // A password for an account of this installation's own.
    static QString generatePassword();
};

} // namespace asv
