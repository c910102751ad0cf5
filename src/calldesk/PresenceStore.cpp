#include "PresenceStore.h"

#include "StoreSql.h"
#include "modMySQL_Func.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {
const QString kStore = u"PresenceStore"_s;
}

void PresenceStore::heartbeat(const QString& user, const QString& state, const QString& address)
{
    const QString code = StoreSql::quoted(user);
    if (DBRecordCount(u"userstate"_s, u"code = "_s + code) > 0) {
        StoreSql::execute(u"UPDATE userstate SET ucode = "_s + code
                          + u", chkdate = curdate(), chktime = curtime(), unixtime = unix_timestamp(), state = "_s
                          + StoreSql::quoted(state) + u", ipaddr = "_s + StoreSql::quoted(address) + u" WHERE code = "_s
                          + code);
    } else {
        StoreSql::execute(u"INSERT INTO userstate (code, ucode, chkdate, chktime, unixtime, state, ipaddr) VALUES ( "_s
                          + code + u", "_s + code + u", curdate(), curtime(), unix_timestamp(), "_s + StoreSql::quoted(state)
                          + u", "_s + StoreSql::quoted(address) + u" )"_s);
    }
}

void PresenceStore::purgeSilent(int seconds)
{
    StoreSql::execute(u"DELETE FROM userstate WHERE unixtime <= unix_timestamp() - "_s + QString::number(seconds));
}

QList<PresenceStore::Presence> PresenceStore::others(const QString& user)
{
    RecordSetPtr rs;
    const int n = DBOpenRS(rs, u"SELECT *, unix_timestamp() as nowunixtime FROM userstate WHERE code <> "_s + StoreSql::quoted(user));
    StoreSql::throwIfFailed(kStore, u"others"_s);
    QList<Presence> rows;
    for (int row = 0; row < n; ++row)
        rows << Presence{rs->value(row, u"code"_s), rs->value(row, u"state"_s), rs->value(row, u"ipaddr"_s)};
    return rows;
}

void PresenceStore::remove(const QString& user)
{
    StoreSql::execute(u"DELETE FROM userstate WHERE code = "_s + StoreSql::quoted(user));
}

QList<PresenceStore::Colleague> PresenceStore::colleagues(const QString& user)
{
    RecordSetPtr rs;
    const int n = DBOpenRS(rs, u"SELECT code, name FROM local_user WHERE code <> '' AND code <> "_s + StoreSql::quoted(user)
                                   + u" AND consult = 1 ORDER BY code"_s);
    StoreSql::throwIfFailed(kStore, u"colleagues"_s);
    QList<Colleague> rows;
    for (int row = 0; row < n; ++row)
        rows << Colleague{rs->value(row, 0), rs->value(row, 1)};
    return rows;
}

} // namespace asv
