#pragma once

#include <QString>

namespace asv {

// An entry of a search box's key list: what it shows, the comma-separated columns it searches and
// the operator it preselects ("" keeps the chosen one).
struct FindKey {
    QString label;
    QString fields;
    QString op;
};

// The search condition for text over the comma-separated fields, with the operator of an entry of
// the search row's operator list ("*s*", "s*", "*s", "="). With ignoreSpaces the columns are compared without their
// blanks; the text is taken as typed. An unknown operator shows "fixme" and gives "".
QString MakeFindWhere(const QString& fields, const QString& text, const QString& opText, bool ignoreSpaces = false);

} // namespace asv
