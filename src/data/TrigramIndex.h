#pragma once

#include <QStringList>

namespace asv {

// A "contains" LIKE cannot use an index, and at a million customers the scan takes seconds. So
// the searched name columns of `customer` and `product` get a side table of their three-character
// pieces (customer_trigram, product_trigram: one row per piece and code), kept current by triggers on
// the table itself, so that rows written by any program sharing the database are found at once.
// A search narrows the candidates to the codes holding pieces of the text and still applies
// its LIKE: the rows are those of the scan. The piece column has the collation of the searched
// columns, so that it equals what LIKE equals. The table's own columns stay as the older program
// knows them. A server or account that refuses the triggers keeps the scan.
namespace TrigramIndex {

// The statements that (re)build the side tables the connected database lacks, or has without
// all of its triggers or unfinished: triggers first, then the existing rows in portions, then
// the mark that the table is complete. A failed one leaves the table unused.
QStringList missingStatements();
// Every table of ours beside the searched ones, the earlier release's included: a backup leaves
// them out, since missingStatements() builds them again from the rows.
QStringList sideTables();
// The side table of table's pieces ("customer" -> its side table), "" for a table without one.
QString sideTableFor(const QString& table);
// The side table a statement of missingStatements() works on, "" for any other statement.
QString sideTableOf(const QString& statement);
// Whether the current database has the complete side table of table ("customer", "product").
// Asked once per database; forget() asks again.
bool present(const QString& table);
void forget();

// The condition narrowing a "contains" search of text over the comma-separated fields (columns
// of table, with or without an alias) to the rows whose keyColumn (e.g. "c.code") holds the
// text's rarest pieces; to be ANDed with the search's own LIKE. Asks the server how rare they
// are. "" where it cannot narrow: a text of fewer than three characters or with a LIKE wildcard, a field outside the side table, no
// complete side table.
QString candidates(const QString& table, const QString& keyColumn, const QString& fields, const QString& text);
// A writer of many rows at once (the customer import) writes their pieces with one statement per
// batch instead of the insert trigger's statements per row: in one transaction it runs
// deferStatement(table, true), its rows, piecesStatement() of their keys and
// deferStatement(table, false). Only where defersPieces(): the side table is there, its insert
// trigger with it.
bool defersPieces(const QString& table);
QString deferStatement(const QString& table, bool deferred);
// quotedKeys: the rows' keys, quoted and separated by commas.
QString piecesStatement(const QString& table, const QString& quotedKeys);
// MakeFindWhere's "contains" condition, narrowed by candidates() where it can be.
QString containsCondition(const QString& table, const QString& keyColumn, const QString& fields, const QString& text);

} // namespace TrigramIndex

} // namespace asv
