#pragma once

#include <QString>
#include <QStringList>

namespace asv {

// Clearing the work data so that a company can start afresh after trying the system out: every
// slip, and on request the customer and product masters.
class WorkDataClearing {
public:
    // In the order they run. The reserved product "000000" and the AS codes of no product stay.
    static QStringList statements(bool customers, bool products);
    // The administrator's password, as stored for the login "ADMIN".
    static bool isAdministratorPassword(const QString& typed);
    // Tells a user other than the administrator that the tool is the administrator's; false then.
    static bool administratorOnly();
    // Runs one statement; throws DbError when it fails, so the caller's guard names its procedure.
    static void execute(const QString& sql);
};

} // namespace asv
