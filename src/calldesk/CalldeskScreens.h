#pragma once

namespace asv {

// The call desk's screens for the rest of the program.
class CalldeskScreens {
public:
    static void registerAll();
};

} // namespace asv
