#pragma once

#include <QString>
#include <QStringList>

namespace asv {

// The consultation texts of `rsvconsult` (pname, refernote, connote) start as '' where the server
// takes a default on a text column, so that an older desk reading a row written without them
// finds '' and never NULL. A server that takes none gets them nullable, and our readers take
// NULL as ''.
namespace ConsultTextColumns {

// The columns' definition for a server of that version (as the server reports it):
// MariaDB takes the literal default, MySQL from 8.0.13 an expression default, older ones none.
QString definition(const QString& serverVersion);
// definition() for the connected server.
QString definition();
// What brings the columns of the connected database to definition(): a database made before,
// or by a server that took no default, has them nullable. Empty when nothing is to do.
QStringList missingStatements();

} // namespace ConsultTextColumns

} // namespace asv
