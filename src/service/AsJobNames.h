#pragma once

#include "RecordSetPtr.h"

#include <QStringList>
#include <vector>

namespace asv {

// Completes jobs read with their codes (customer, product, reception code, receiving user, staff)
// with the names the job lists show: joining the names job by job on the server was most of the
// ledger's time on a year of 100,000 jobs. For a period's jobs a table of at most kWholeTable
// rows is read whole (a year's 20,000 customers named by code took ten times as long); any other
// by the codes the jobs hold, each code once.
class AsJobNames {
public:
    static constexpr qint64 kWholeTable = 50000;

    // deliveries: the customer's model, telephone and address come too. period: the jobs will be
    // those of a period, not one or a few.
    AsJobNames(bool deliveries, bool period);

    // The jobs in their order with compalias, pname2, pnorm2, astypename0, u1name and u2name
    // (and modelname, telno1, addr1, addr2) after their own fields. Every job is kept: one whose
    // customer, product, reception code, receiving user or staff member is missing gets empty
    // names, as an outer join would. Throws DbError when a statement fails.
    RecordSetPtr attach(const RecordSetPtr& jobs) const;

    // The statements attach sends for jobs, for measuring them alone.
    QStringList statements(const RecordSet& jobs) const;

    // A code as the server compares it. Every code column holds at most 12 bytes (six two-byte
    // characters), so 16 bytes hold any of them.
    struct Key {
        quint64 low = 0;
        quint64 high = 0;
        bool operator==(const Key&) const = default;
    };

private:
    struct Table {
        QString columns; // the code first, then the names
        QString from;
        QString condition;
        int names = 0;
        bool whole = false;
    };
    struct Link {
        QString field;
        size_t table;
        QStringList labels;
    };

    QString wholeStatement(const Table& table) const;
    QString byCodeStatement(const Table& table, const std::vector<QByteArrayView>& codes) const;
    // The distinct codes jobs hold for each table read by code.
    std::vector<std::vector<QByteArrayView>> codesByTable(const RecordSet& jobs) const;

    std::vector<Table> m_tables;
    std::vector<Link> m_links;
};

} // namespace asv
