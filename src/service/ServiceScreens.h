#pragma once

namespace asv {

// The after-service screens for the rest of the program, under the main window's menu entries:
// the AS code lists, the AS ledger, the AS result list and the consultation report.
class ServiceScreens {
public:
    static void registerAll();
};

} // namespace asv
