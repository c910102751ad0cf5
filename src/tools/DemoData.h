#pragma once

#include <QString>

namespace asv {

// The small believable data set that the single-PC start shows with --demo; loaded into a
// database that has no customers yet, so it is loaded once.
class DemoData {
public:
    // serverHost as DBInit takes it (a socket path for the private server); the connection is
    // closed again afterwards.
    static bool loadOnce(const QString& serverHost, const QString& database);
};

} // namespace asv
