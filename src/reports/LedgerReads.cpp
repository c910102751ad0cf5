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

// Together, on a connection of its own made from the given one; else on the program's.
RecordSetPtr fetch(bool together, const cMySQL* connection, const QString& sql, const QString& operation)
{
    if (!together)
        return StoreSql(nullptr, u"LedgerStore"_s).read(sql, operation);
    if (!connection)
        throw DbError(2006, u"LedgerStore::"_s + operation, u"데이터베이스에 연결되어 있지 않습니다."_s);
    const std::unique_ptr<cMySQL> own = connection->connectAnother();
    RecordSetPtr rows = own->query(sql, true);
    if (!rows)
        throw DbError(static_cast<long>(own->lastErrno()), u"LedgerStore::"_s + operation, u"자료를 읽지 못했습니다."_s);
    return rows;
}

} // namespace

LedgerReads::LedgerReads(const LedgerStore::Filter& filter)
    : m_together(filter.ccode.isEmpty()),
      m_connection(m_together ? readConnection() : nullptr),
      m_customers(start(LedgerStore::customersSql(filter), u"customers"_s).share()),
      m_keys(startKeys(filter)),
      // The longest first, so that they start before the others take the server's cores.
      m_sales(startSales(filter)),
      m_carried(start(LedgerStore::carriedSql(filter), u"carried"_s)),
      m_asItems(startLines(LedgerMerge::Kind::AsItem, static_cast<int>(m_sales.size()), LedgerStore::asItemsSql(filter),
                           u"asItems"_s)),
      m_credits(startLines(LedgerMerge::Kind::Credit, static_cast<int>(m_sales.size()) + 1,
                           LedgerStore::creditsSql(filter), u"credits"_s))
{
}

template <typename Work>
auto LedgerReads::launch(Work work) const
{
    return std::async(m_together ? std::launch::async : std::launch::deferred, std::move(work));
}

LedgerReads::Read LedgerReads::start(const QString& sql, const QString& operation) const
{
    return launch([together = m_together, connection = m_connection, sql, operation] {
        return fetch(together, connection, sql, operation);
    });
}

std::shared_future<LedgerMerge::KeysPtr> LedgerReads::startKeys(const LedgerStore::Filter& filter) const
{
    return launch([customers = m_customers, products = start(LedgerStore::productsSql(filter), u"products"_s)]() mutable {
               return std::make_shared<const LedgerMerge::Keys>(customers.get(), products.get());
           })
        .share();
}

LedgerReads::Collected LedgerReads::startLines(LedgerMerge::Kind kind, int list, const QString& sql,
                                               const QString& operation) const
{
    return launch([together = m_together, connection = m_connection, keys = m_keys, kind, list, sql, operation] {
        RecordSetPtr rows = fetch(together, connection, sql, operation);
        return LedgerMerge::collect(kind, list, std::move(rows), *keys.get());
    });
}

std::vector<LedgerReads::Collected> LedgerReads::startSales(const LedgerStore::Filter& filter) const
{
    std::vector<Collected> reads;
    for (const QString& sql : LedgerStore::salesSql(filter))
        reads.push_back(startLines(LedgerMerge::Kind::Sale, static_cast<int>(reads.size()), sql, u"sales"_s));
    return reads;
}

RecordSetPtr LedgerReads::customers()
{
    return m_customers.get();
}

RecordSetPtr LedgerReads::carried()
{
    return m_carried.get();
}

std::vector<LedgerMerge::Lines> LedgerReads::debits()
{
    std::vector<LedgerMerge::Lines> lists;
    for (Collected& sales : m_sales)
        lists.push_back(sales.get());
    lists.push_back(m_asItems.get());
    return lists;
}

LedgerMerge::Lines LedgerReads::credits()
{
    return m_credits.get();
}

LedgerMerge::KeysPtr LedgerReads::keys()
{
    return m_keys.get();
}

} // namespace asv
