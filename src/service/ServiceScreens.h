#pragma once

namespace asv {

// The after-service screens for the rest of the program: the AS code lists behind the main
// window's "mnuBase_ascode".
class ServiceScreens {
public:
    static void registerAll();
};

} // namespace asv
