#pragma once

#include <QString>

namespace asv {

// Statements are written to log files that anyone at the desk may open or send along with a
// fault report; the passwords they carry are not.
class SqlSecrets {
public:
    // The statement with every password literal written as '****': a value compared with or
    // assigned to a password column (also inside INSERT ... VALUES), and the password of an
    // account statement (IDENTIFIED BY, USING, PASSWORD()).
    static QString masked(const QString& sql);
    static bool isSecretColumn(const QString& column);
};

} // namespace asv
