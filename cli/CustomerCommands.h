#pragma once

#include <QString>

class QTextStream;

namespace asv {

// The "customer" commands of asvelmora-ctl; the caller has opened the database. Each returns the
// process exit code: 0 done, 1 nothing found or a failure (told through the prompter).

// The picker's search for text: one line per customer, code, name, short name and telephone 1
// separated by tabs.
int customerFind(QTextStream& out, const QString& text);
// The main fields of one customer, one "label: value" line each.
int customerShow(QTextStream& out, const QString& code);

} // namespace asv
