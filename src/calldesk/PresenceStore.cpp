#include "PresenceStore.h"

#include "StoreSql.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

PresenceStore::PresenceStore(cMySQL* db) : StoreSql(db, u"PresenceStore"_s) {}

void PresenceStore::write(const QString& sql, const QString& operation)
{
    DBExecute(m_db, sql, true);
    throwIfFailed(operation);
}

RecordSetPtr PresenceStore::silentRead(const QString& sql, const QString& operation)
{
    return read(sql, operation, true);
}

void PresenceStore::heartbeat(const QString& user, const QString& state, const QString& address)
{
    const QString code = StoreSql::quoted(user);
    if (silentRead(u"SELECT code FROM userstate WHERE code = "_s + code, u"heartbeat"_s)->rowCount() > 0) {
        write(u"UPDATE userstate SET ucode = "_s + code
                  + u", chkdate = curdate(), chktime = curtime(), unixtime = unix_timestamp(), state = "_s
                  + StoreSql::quoted(state) + u", ipaddr = "_s + StoreSql::quoted(address) + u" WHERE code = "_s + code,
              u"heartbeat"_s);
    } else {
        write(u"INSERT INTO userstate (code, ucode, chkdate, chktime, unixtime, state, ipaddr) VALUES ( "_s + code
                  + u", "_s + code + u", curdate(), curtime(), unix_timestamp(), "_s + StoreSql::quoted(state) + u", "_s
                  + StoreSql::quoted(address) + u" )"_s,
              u"heartbeat"_s);
    }
}

void PresenceStore::purgeSilent(int seconds)
{
    write(u"DELETE FROM userstate WHERE unixtime <= unix_timestamp() - "_s + QString::number(seconds), u"purgeSilent"_s);
}

QList<PresenceStore::Presence> PresenceStore::others(const QString& user)
{
    const RecordSetPtr rs = silentRead(u"SELECT *, unix_timestamp() as nowunixtime FROM userstate WHERE code <> "_s
                                           + StoreSql::quoted(user),
                                       u"others"_s);
    QList<Presence> rows;
    for (int row = 0; row < rs->rowCount(); ++row)
        rows << Presence{rs->value(row, u"code"_s), rs->value(row, u"state"_s), rs->value(row, u"ipaddr"_s)};
    return rows;
}

void PresenceStore::remove(const QString& user)
{
    write(u"DELETE FROM userstate WHERE code = "_s + StoreSql::quoted(user), u"remove"_s);
}

QList<PresenceStore::Colleague> PresenceStore::colleagues(const QString& user)
{
    const RecordSetPtr rs = silentRead(u"SELECT code, name FROM local_user WHERE code <> '' AND code <> "_s
                                           + StoreSql::quoted(user) + u" AND consult = 1 ORDER BY code"_s,
                                       u"colleagues"_s);
    QList<Colleague> rows;
    for (int row = 0; row < rs->rowCount(); ++row)
        rows << Colleague{rs->value(row, 0), rs->value(row, 1)};
    return rows;
}

} // namespace asv
