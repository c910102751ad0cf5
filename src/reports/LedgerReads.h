#pragma once

#include "LedgerStore.h"

#include <future>
#include <vector>

namespace asv {

// The reads of one ledger query. For the whole book they start at once, each on a connection of
// its own: the server scans the year's sales, the sums before it and the payments side by side.
// One customer's few lines are read in turn on the program's connection, cheaper than connecting.
class LedgerReads {
public:
    // Destroying the reads waits for those still running.
    explicit LedgerReads(const LedgerStore::Filter& filter);

    // Each waits for its read and may be taken once; a failed read throws DbError.
    RecordSetPtr customers();
    RecordSetPtr carried();
    LedgerStore::Debits debits();
    RecordSetPtr credits();

private:
    using Read = std::future<RecordSetPtr>;
    Read start(const QString& sql, const QString& operation) const;
    std::vector<Read> startSales(const LedgerStore::Filter& filter) const;

    bool m_together;
    std::vector<Read> m_sales;
    Read m_carried;
    Read m_credits;
    Read m_asItems;
    Read m_customers;
    Read m_products;
};

} // namespace asv
