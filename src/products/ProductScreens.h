#pragma once

namespace asv {

// The product screens for the rest of the program: the management list behind the main window's
// "mnuProduct", and the picker and editor of the find-or-register flow ("상품").
class ProductScreens {
public:
    static void registerAll();
};

} // namespace asv
