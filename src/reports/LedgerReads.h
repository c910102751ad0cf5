#pragma once

#include "LedgerMerge.h"
#include "LedgerStore.h"

#include <future>
#include <vector>

namespace asv {

class cMySQL;

// The reads of one ledger query. For the whole book they start at once, each on a connection of
// its own: the server scans the year's sales, the sums before it and the payments side by side,
// and each list of lines is put in order per customer as soon as it arrives, beside the reads
// still running. One customer's few lines are read in turn on the program's connection, cheaper
// than connecting.
class LedgerReads {
public:
    // Destroying the reads waits for those still running.
    explicit LedgerReads(const LedgerStore::Filter& filter);

    // Each waits for its read and may be taken once; a failed read throws DbError.
    RecordSetPtr customers();
    RecordSetPtr carried();
    // The sales in parts, then the AS items.
    std::vector<LedgerMerge::Lines> debits();
    LedgerMerge::Lines credits();
    // The customers and the products the lines were looked up in; the products' read fails the
    // debits first.
    LedgerMerge::KeysPtr keys();

private:
    using Read = std::future<RecordSetPtr>;
    using Collected = std::future<LedgerMerge::Lines>;
    template <typename Work>
    auto launch(Work work) const;
    Read start(const QString& sql, const QString& operation) const;
    std::shared_future<LedgerMerge::KeysPtr> startKeys(const LedgerStore::Filter& filter) const;
    Collected startLines(LedgerMerge::Kind kind, int list, const QString& sql, const QString& operation) const;
    std::vector<Collected> startSales(const LedgerStore::Filter& filter) const;

    bool m_together;
    const cMySQL* m_connection;
    std::shared_future<RecordSetPtr> m_customers;
    std::shared_future<LedgerMerge::KeysPtr> m_keys;
    std::vector<Collected> m_sales;
    Read m_carried;
    Collected m_asItems;
    Collected m_credits;
};

} // namespace asv
