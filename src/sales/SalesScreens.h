#pragma once

namespace asv {

// The sales slip and payment screens for the rest of the program.
class SalesScreens {
public:
    static void registerAll();
};

} // namespace asv
