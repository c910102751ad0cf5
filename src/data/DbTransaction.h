#pragma once

#include <functional>

namespace asv {

class cMySQL;

// A document's statements written as one transaction, so that a line and the balance it moves are
// stored together or not at all.
class DbTransaction {
public:
    // Runs body between START TRANSACTION and COMMIT, rolling back when it answers false. A
    // deadlock or a lost connection inside leaves nothing of the transaction on the server, and a
    // statement of it cannot be run again alone: the whole body runs again instead, after a
    // deadlock as often and as late as the connection retries a single statement, after a lost
    // connection once. A COMMIT refused as a deadlock (on a cluster: another node's transaction
    // changed the same rows first) stored nothing and runs again with the body; one whose answer
    // was lost is never sent again: the server may have stored it. What body throws is rethrown
    // after the rollback.
    [[nodiscard]] static bool run(cMySQL& db, const std::function<bool()>& body);
    // The same on the program's main connection.
    [[nodiscard]] static bool run(const std::function<bool()>& body);
};

} // namespace asv
