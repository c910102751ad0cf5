#pragma once

#include "Setting.h"

// How this desk reaches the others.
namespace asv::UdpRelaySettings {

inline const QString kConfig = QStringLiteral("Config");

inline const Setting<int> Port{kConfig, QStringLiteral("UdpPort"), 16500};
// Empty: the host's address with its last part 255.
inline const Setting<QString> BroadcastAddress{kConfig, QStringLiteral("UdpBroadcast"), {}};
// "<address>[:<port>]" entries: when given, every desk-wide message goes to each of them instead,
// for offices whose switches drop broadcasts.
inline const Setting<QString> Peers{kConfig, QStringLiteral("UdpPeers"), {}};

} // namespace asv::UdpRelaySettings
