#pragma once

#include <QString>

namespace asv {

// The addresses of the maker's online services. There is no address service here: the last list
// is read from "server_address_setting.json" in the program folder, a JSON object of
// name → host, e.g. {"Ostra마스터서버": "10.0.0.5"}.
class ServerAddresses {
public:
    // Host for a server name; empty when unknown.
    static QString lookup(const QString& name);
    // Writes the known hosts into "config.ini": sections server, manageserver, smsserver, key ip.
    static void refreshConfigIni();
};

} // namespace asv
