#pragma once

#include <QList>
#include <QStringList>

namespace asv {

// A replicating cluster copies row changes of InnoDB tables only, and finds the changed rows on
// the other nodes by their primary key: a table without one (the older `userstate`) cannot have
// its deletes replicated. Such a table gets an invisible auto-increment key, which SELECT * and
// inserts without a column list do not see, so the older program goes on working beside us.
namespace ClusterStructure {

// The key column's definition.
QString rowKeyDefinition();
// Whether a server of that version (as it reports it) takes an invisible column.
bool takesInvisibleKey(const QString& serverVersion);

// What the connected database and its server lack for a cluster, one Korean line each: tables
// not InnoDB or without a primary key, the search triggers the account could not create, the
// server settings a cluster needs.
QStringList lacks();
// The statements "db index" runs for it: InnoDB for the tables without it, the invisible key for
// the tables without a primary key (where the server takes one).
QStringList missingStatements();

} // namespace ClusterStructure

} // namespace asv
