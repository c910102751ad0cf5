#pragma once

#include <QString>

namespace asv {

// What the consult desk offers to the caller-ID intake: the main window hands every caller's
// number to the open screen that implements it.
class CallerIdReceiver {
public:
    virtual ~CallerIdReceiver() = default;
    virtual void InputCID(const QString& number, bool isLocal) = 0;
};

} // namespace asv
