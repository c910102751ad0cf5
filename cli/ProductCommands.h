#pragma once

#include <QString>

class QTextStream;

namespace asv {

// The "product" commands of asvelmora-ctl; the caller has opened the database. Each returns the
// process exit code: 0 done, 1 nothing found or a failure (told through the prompter).

// The code-entry field's search for text: the product with that code, else those whose code,
// barcode or name contains it; one line per product, code, barcode, name, norm and sale price
// separated by tabs.
int productFind(QTextStream& out, const QString& text);
// The barcode look-up: the code of the one visible product with that barcode. A barcode shared by
// several products prints their numbered list and chooses none.
int productBarcode(QTextStream& out, const QString& barcode);
// The fields of one product, one "label: value" line each.
int productShow(QTextStream& out, const QString& code);

} // namespace asv
