#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace asv {

// One caller-ID packet of a modem's unformatted output: a line of hex digits holding the single
// (type 04) or multiple (type 80) data message, without the seizure bytes, ending in its checksum.
class CallerIdPacket {
public:
    // The number as sent, "" when it is withheld; nullopt for anything but a whole packet whose
    // bytes sum to 0 modulo 256.
    static std::optional<QString> number(QByteArrayView hexLine);
};

} // namespace asv
