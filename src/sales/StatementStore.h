#pragma once

#include "RecordSetPtr.h"
#include "Statement.h"
#include "StoreSql.h"

#include <QStringList>

namespace asv {

// Reads what a transaction statement shows. Reads throw DbError.
class StatementStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit StatementStore(cMySQL* db = nullptr);

    // A customer's sale lines of a period (dates "yyyy-MM-dd").
    Statement forPeriod(const QString& ccode, const QString& from, const QString& to);
    // Chosen sale lines of a customer; the period is the span of their dates.
    Statement forLines(const QString& ccode, const QList<int>& codes);

    // Opening balance plus sales and charged AS work, less payments and discounts, dated before `date`.
    double balanceBefore(const QString& ccode, const QString& date);
    double receivedWithin(const QString& ccode, const QString& from, const QString& to);

    // The slip lines of a period that carry a tax invoice number, optionally of one customer.
    RecordSetPtr invoiceLines(const QString& from, const QString& to, const QString& ccode);
    static QStringList invoiceLineCaptions();

private:
    Statement statement(const QString& ccode, const QString& lineCondition);
};

} // namespace asv
