#pragma once

namespace asv {

// The screens of this library for the main window's menus (company data, users, the two options
// dialogs) and the user picker of the find-or-register flow.
class AppScreens {
public:
    static void registerAll();
};

} // namespace asv
