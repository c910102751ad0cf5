#pragma once

namespace asv {

// The customer management list for the main window's menu ("mnuCustomer") and the customer picker
// of the find-or-register flow.
class CustomerListScreens {
public:
    static void registerAll();
};

} // namespace asv
