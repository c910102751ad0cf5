#pragma once

#include <QStringList>

namespace asv {

// A screen other screens hand their selected customers to (the SMS screen, opened from the
// customer list, receivables, sales slip and desk through the screen registry).
class CustomerListReceiver {
public:
    virtual ~CustomerListReceiver() = default;
    virtual void showCustomers(const QStringList& codes) = 0;
};

} // namespace asv
