#include "OnlineAlter.h"

#include "cMySQL.h"

#include <mysqld_error.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Servers before MySQL 5.6 do not know the clause at all and call it a syntax error.
bool refusedOnline(unsigned int err)
{
    return err == ER_ALTER_OPERATION_NOT_SUPPORTED || err == ER_ALTER_OPERATION_NOT_SUPPORTED_REASON
        || err == ER_PARSE_ERROR;
}

} // namespace

bool OnlineAlter::run(cMySQL& connection, const QString& statement, QString* error)
{
    const bool alter = statement.startsWith(u"ALTER TABLE "_s);
    connection.query(alter ? statement + u", ALGORITHM=INPLACE, LOCK=NONE"_s : statement, true);
    if (alter && refusedOnline(connection.lastErrno()))
        connection.query(statement, true);
    if (error)
        *error = connection.lastErrno() == 0 ? QString()
                                             : QString::number(connection.lastErrno()) + u" : "_s + connection.lastError();
    return connection.lastErrno() == 0;
}

} // namespace asv
