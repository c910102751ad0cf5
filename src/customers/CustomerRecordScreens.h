#pragma once

namespace asv {

// The customer editor's part of the find-or-register flow: registering a new "고객" opens it.
class CustomerRecordScreens {
public:
    static void registerAll();
};

} // namespace asv
