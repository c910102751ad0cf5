#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace asv {

// One line from a LAN caller-ID server: only "CID:" lines are new incoming calls; the history
// sent on connecting (CIDLOG:, LOG:), outgoing, hang-up, blocked and info lines are not.
class CallerIdNcidLine {
public:
    // The caller's number (normalised) of a live call with one; nullopt otherwise.
    static std::optional<QString> callerNumber(QByteArrayView text);
};

} // namespace asv
