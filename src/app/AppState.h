#pragma once

#include "ConnectionProfile.h"

#include <QString>

namespace asv {

// Process-wide record of the connection, the operator and the company; written by start-up,
// login and the company dialog, read everywhere.
struct AppState {
    QString AppTitle = QStringLiteral("ASVelmora");
    QString DbHost;
    QString DbUser;
    QString DbName;
    QString DbPassword;
    ConnectionTls DbTls;
    // The database account the maker shares among installations (a setting, read with the
    // profile); connected with it, nobody may change the administrator's user record.
    QString SharedDbAccount = ConnectionProfile::defaultSharedAccount();
    QString LoginId;
    QString UserCode;
    QString UserName;
    QString CompanyName;
    QString EditionCode;
    bool NeedsProgramUpgrade = false;
    bool UseLocalServer = false;

    bool isTamber() const { return EditionCode == QStringLiteral("Tamber"); }
    bool isAdministrator() const { return UserCode == QStringLiteral("00"); }
    bool usesSharedAccount() const { return DbUser == SharedDbAccount; }

    static AppState& instance();
};

inline AppState& App()
{
    return AppState::instance();
}

} // namespace asv
