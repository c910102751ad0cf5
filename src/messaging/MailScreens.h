#pragma once

namespace asv {

// The mail screens for the rest of the program.
class MailScreens {
public:
    static void registerAll();
};

} // namespace asv
