#pragma once

#include "RecordSetPtr.h"
#include "StoreSql.h"

#include <QString>

namespace asv {

// The reads of the daily sales and receipts reports and of the sales graph. Reads that fail throw
// DbError.
class PeriodReportStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit PeriodReportStore(cMySQL* db = nullptr);

    // Whose salesperson the salesperson filter means: the customer's main one or the document's.
    enum class ChargeOf { Customer = 0, Document = 1 };

    struct SalesFilter {
        QString from;
        QString to;
        QString ccode;
        QString serial; // part of the serial number
        QString memo;   // part of the printed memo
        QString charge; // user code; empty: every salesperson
        ChargeOf chargeOf = ChargeOf::Customer;
        QString pcode;       // a chosen product wins over a typed name
        QString productName; // LIKE pattern as typed
        QString productClass;
    };

    struct ReceiptFilter {
        QString from;
        QString to;
        QString ccode;
        QString charge;
        ChargeOf chargeOf = ChargeOf::Customer;
    };

    enum class GraphSource { Sales = 0, AsCharges = 1 };
    enum class Grouping { Day = 0, Month = 1, Year = 2 };

    struct GraphFilter {
        QString from;
        QString to;
        QString pcode; // empty: every product
        GraphSource source = GraphSource::Sales;
        Grouping grouping = Grouping::Day;
    };

    static QString salesSql(const SalesFilter& filter);
    RecordSetPtr sales(const SalesFilter& filter);
    static QString receiptsSql(const ReceiptFilter& filter);
    RecordSetPtr receipts(const ReceiptFilter& filter);
    // Two columns: the day, month ("yyyy-mm") or year and the sum, in that order. Free AS lines
    // never count.
    static QString graphSql(const GraphFilter& filter);
    RecordSetPtr graph(const GraphFilter& filter);
};

} // namespace asv
