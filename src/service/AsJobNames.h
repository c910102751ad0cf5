#pragma once

#include "RecordSet.h"

#include <QHash>
#include <QStringList>
#include <vector>

namespace asv {

// Completes jobs read with their codes (customer, product, reception code, receiving user, staff)
// with the names the job lists show. Each distinct code is read once, by one statement per table:
// joining the names job by job was most of the ledger's time on a year of 100,000 jobs.
class AsJobNames {
public:
    // deliveries: the customer's model, telephone and address come too.
    AsJobNames(RecordSetPtr jobs, bool deliveries);

    // The statements reading the names; none for a table no job refers to.
    QStringList statements() const;
    // The jobs in their order with compalias, pname2, pnorm2, astypename0, u1name and u2name
    // (and modelname, telno1, addr1, addr2) after their own fields. A job whose customer,
    // product, reception code, receiving user or staff member is missing is left out, as an inner
    // join would. Throws DbError when a statement fails.
    RecordSetPtr attach() const;

    // A code as the server compares it. Every code column holds at most 12 bytes (six two-byte
    // characters), so 16 bytes hold any of them.
    struct Key {
        quint64 low = 0;
        quint64 high = 0;
        bool operator==(const Key&) const = default;
    };

private:
    struct Table {
        QString select; // the code first, then the names
        int names;
        QHash<Key, int> keys;              // -> distinct index
        std::vector<QByteArrayView> codes; // by distinct index
    };
    struct Link {
        int jobField;
        int table;
        std::vector<int> keyOfRow;
    };

    QString statement(const Table& table) const;

    RecordSetPtr m_jobs;
    std::vector<Table> m_tables;
    std::vector<Link> m_links;
    QStringList m_labels;
};

inline size_t qHash(const AsJobNames::Key& key, size_t seed = 0)
{
    return qHashMulti(seed, key.low, key.high);
}

} // namespace asv
