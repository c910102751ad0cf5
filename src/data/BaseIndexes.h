#pragma once

#include <QStringList>

namespace asv {

// The indexes the new-database structure gives the hot paths (telephone numbers, customer codes,
// dates). A database made by the older program may lack them; they are added without touching
// its structure version. An index counts as present when one of any name starts with its columns.
namespace BaseIndexes {

// "ALTER TABLE … ADD INDEX …" for every index the connected database lacks; tables it does not
// have, or that lack one of the index's columns, are passed over.
QStringList missingStatements();

} // namespace BaseIndexes

} // namespace asv
