#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace asv {

// One line from a LAN caller-ID server: only "CID:" lines are new incoming calls; the history
// sent on connecting (CIDLOG:, LOG:), outgoing, hang-up, blocked and info lines are not.
struct CallerIdNcidLine {
    QString number; // normalised
    QString name;
    QString line;   // the server's name of the telephone line

    static std::optional<CallerIdNcidLine> parse(QByteArrayView text);
};

} // namespace asv
