#pragma once

#include "FixedMoney.h"
#include "RecordSetPtr.h"
#include "StoreSql.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

namespace asv {

class ReportDatabase;

// The receivables status: one row per customer with its carried balance, the sales, AS charges
// and payments of a period and the balance at its end, summed from the documents into the local
// scratch table `balnlist` and listed from there.
class ReceivablesStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit ReceivablesStore(cMySQL* db = nullptr);

    struct Filter {
        QDate from;
        QDate to;
        QString ccode;         // one customer, or all
        QString charge;        // the customers of one salesperson, or all
        bool withZero = false; // customers whose balance is 0 too
        bool movedOnly = false; // only those with a carried balance or a movement
        bool byAlias = false;  // by alias, then code; else by code
        int decimals = 0;      // amount decimals
    };

    // Fills `balnlist` and returns its listing; throws on a failure of either database.
    RecordSetPtr CreateReport(const Filter& filter, ReportDatabase& db);
    static QString listingSql(const Filter& filter);
    // What CreateReport reads from the shared database, in order: the customers, the three sums
    // carried forward, the three sums of the period.
    static QStringList sourceStatements(const Filter& filter);

    // Per customer of the listing, its carried balance split into the months of
    // ReceivablesMonthSplit::months(filter.from, count).
    QHash<QString, QList<FixedMoney>> monthSplit(const Filter& filter, int count, const RecordSet& listing);

    // The customer's mobile number for the SMS program.
    QString mobileNumber(const QString& ccode);

private:
    static QString customerCondition(const Filter& filter);
};

} // namespace asv
