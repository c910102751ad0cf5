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
      // The longest first, so that they start before the others take the server's cores.
      m_sales(startSales(filter)),
      m_carried(start(LedgerStore::carriedSql(filter), u"carried"_s)),
      m_credits(start(LedgerStore::creditsSql(filter), u"credits"_s)),
      m_asItems(start(LedgerStore::asItemsSql(filter), u"asItems"_s)),
      m_customers(start(LedgerStore::customersSql(filter), u"customers"_s)),
      m_products(start(LedgerStore::productsSql(filter), u"products"_s))
{
}

std::vector<LedgerReads::Read> LedgerReads::startSales(const LedgerStore::Filter& filter) const
{
    std::vector<Read> reads;
    for (const QString& sql : LedgerStore::salesSql(filter))
        reads.push_back(start(sql, u"sales"_s));
    return reads;
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
    LedgerStore::Debits debits{{}, m_asItems.get(), m_products.get()};
    for (Read& sales : m_sales)
        debits.sales << sales.get();
    return debits;
}

RecordSetPtr LedgerReads::credits()
{
    return m_credits.get();
}

} // namespace asv
