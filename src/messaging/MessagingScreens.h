#pragma once

namespace asv {

// The messaging windows the main window's menu opens.
class MessagingScreens {
public:
    static void registerAll();
};

} // namespace asv
