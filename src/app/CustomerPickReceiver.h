#pragma once

#include <QString>

namespace asv {

// A window that shows a customer picked for it at once instead of taking the pick back (the
// consult desk); the picker hands the pick over when its asking window is one of these.
class CustomerPickReceiver {
public:
    virtual ~CustomerPickReceiver() = default;
    virtual void ShowPickedCustomer(const QString& code) = 0;
};

} // namespace asv
