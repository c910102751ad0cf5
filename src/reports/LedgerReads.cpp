#include "LedgerReads.h"

#include "DbError.h"
#include "StoreSql.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Reads go to the second host when there is one.
const cMySQL* readConnection()
{
    const cMySQL* second = DBConnection(1);
    return second ? second : DBConnection(0);
}

} // namespace

LedgerReads::LedgerReads(const LedgerStore::Filter& filter)
    : m_together(filter.ccode.isEmpty()),
      // The longest first, so that it starts before the others take the server's cores.
      m_sales(start(LedgerStore::salesSql(filter), u"sales"_s)),
      m_carried(start(LedgerStore::carriedSql(filter), u"carried"_s)),
      m_credits(start(LedgerStore::creditsSql(filter), u"credits"_s)),
      m_asItems(start(LedgerStore::asItemsSql(filter), u"asItems"_s)),
      m_customers(start(LedgerStore::customersSql(filter), u"customers"_s)),
      m_products(start(LedgerStore::productsSql(filter), u"products"_s))
{
}

LedgerReads::Read LedgerReads::start(const QString& sql, const QString& operation) const
{
    if (!m_together) {
        return std::async(std::launch::deferred,
                          [sql, operation] { return StoreSql::read(sql, u"LedgerStore"_s, operation); });
    }
    return std::async(std::launch::async, [sql, operation, connection = readConnection()] {
        if (!connection)
            throw DbError(2006, u"LedgerStore::"_s + operation, u"데이터베이스에 연결되어 있지 않습니다."_s);
        const std::unique_ptr<cMySQL> own = connection->connectAnother();
        RecordSetPtr rows = own->query(sql, true);
        if (!rows)
            throw DbError(static_cast<long>(own->lastErrno()), u"LedgerStore::"_s + operation, u"자료를 읽지 못했습니다."_s);
        return rows;
    });
}

RecordSetPtr LedgerReads::customers()
{
    return m_customers.get();
}

RecordSetPtr LedgerReads::carried()
{
    return m_carried.get();
}

LedgerStore::Debits LedgerReads::debits()
{
    return {m_sales.get(), m_asItems.get(), m_products.get()};
}

RecordSetPtr LedgerReads::credits()
{
    return m_credits.get();
}

} // namespace asv
