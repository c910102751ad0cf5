#pragma once

#include <QStringList>

namespace asv {

// Telephone numbers are searched by their ending, and a leading-wildcard LIKE reads every
// customer. So each number column of `customer` gets an invisible, indexed companion holding the
// number reversed: the ending becomes a prefix the index can seek. Invisible columns stay out of
// "SELECT *" and of INSERTs without a column list, so an older program sharing the database still
// sees the table it knows. A server that cannot add them keeps the plain scan.
namespace TelSuffixIndex {

// The statements that add what the connected database lacks of them.
QStringList missingStatements();
// Adds the companions where they are missing; false when the server refuses them.
bool ensure();
// Whether the current database has them. Asked once per database; forget() asks again.
bool present();
void forget();
// The "ends with" match of text over the comma-separated fields through the companions, or ""
// when they are absent or a field has none.
QString endsWithCondition(const QString& fields, const QString& text);
// For each of columns (number columns, with or without an alias), the condition that its digits,
// whatever else it holds, end with digits; none when a column lacks its indexed digit form.
QStringList endsWithDigits(const QStringList& columns, const QString& digits);

} // namespace TelSuffixIndex

} // namespace asv
