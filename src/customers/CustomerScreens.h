#pragma once

namespace asv {

// The customer screens for the rest of the program: the management list behind the main window's
// "mnuCustomer", and the picker and editor of the find-or-register flow ("고객").
class CustomerScreens {
public:
    static void registerAll();
};

} // namespace asv
