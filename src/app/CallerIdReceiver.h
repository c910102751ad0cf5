#pragma once

#include <QString>
#include <chrono>

namespace asv {

// When a caller's number reached the program (device line or datagram read), so the desk can
// tell how long the call took to appear.
using CallArrival = std::chrono::steady_clock::time_point;

// What the consult desk offers to the caller-ID intake: the main window hands every caller's
// number to the open screen that implements it.
class CallerIdReceiver {
public:
    virtual ~CallerIdReceiver() = default;
    virtual void InputCID(const QString& number, bool isLocal, CallArrival arrived) = 0;
};

} // namespace asv
