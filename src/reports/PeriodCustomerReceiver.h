#pragma once

#include <QDate>
#include <QString>

namespace asv {

// A period report that another report opens for one customer and period (the receivables list's
// double click opens the daily sales report this way, through the screen registry).
class PeriodCustomerReceiver {
public:
    virtual ~PeriodCustomerReceiver() = default;
    // Sets the filters and reads the list at once.
    virtual void showCustomerPeriod(const QString& ccode, const QDate& from, const QDate& to) = 0;
};

} // namespace asv
