#pragma once

#include "RecordSetPtr.h"
#include "Statement.h"

#include <QStringList>

namespace asv {

// Reads what a transaction statement shows. Reads throw DbError.
class StatementStore {
public:
    // A customer's sale lines of a period (dates "yyyy-MM-dd").
    static Statement forPeriod(const QString& ccode, const QString& from, const QString& to);
    // Chosen sale lines of a customer; the period is the span of their dates.
    static Statement forLines(const QString& ccode, const QList<int>& codes);

    // Opening balance plus sales and charged AS work, less payments and discounts, dated before `date`.
    static double balanceBefore(const QString& ccode, const QString& date);
    static double receivedWithin(const QString& ccode, const QString& from, const QString& to);

    // The slip lines of a period that carry a tax invoice number, optionally of one customer.
    static RecordSetPtr invoiceLines(const QString& from, const QString& to, const QString& ccode);
    static QStringList invoiceLineCaptions();

private:
    static Statement read(const QString& ccode, const QString& lineCondition);
};

} // namespace asv
