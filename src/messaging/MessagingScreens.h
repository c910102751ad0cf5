#pragma once

namespace asv {

// The SMS screen of the menu and the mail windows other screens open.
class MessagingScreens {
public:
    static void registerAll();
};

} // namespace asv
