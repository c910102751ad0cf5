#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace asv {

// One caller-ID packet of a modem's unformatted output: a line of hex digits holding the single
// (type 04) or multiple (type 80) data message, without the seizure bytes, ending in its checksum.
struct CallerIdPacket {
    QString number;  // as sent; empty when withheld
    QString name;
    QString absence; // "O" out of area, "P" private, when the number is withheld

    // nullopt for anything but a whole packet whose bytes sum to 0 modulo 256.
    static std::optional<CallerIdPacket> decode(QByteArrayView hexLine);
};

} // namespace asv
