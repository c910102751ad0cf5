#pragma once

#include "modDBMS_comn.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace asv {

// The statements that find products: the management list and the picker, with their search keys.
// Neither ever shows the free-text product: it is stored hidden, and the list's show-hidden
// statement names it.
class ProductSearch {
public:
    static QList<FindKey> listKeys();
    static QList<FindKey> pickerKeys();
    // What a code-entry field's text is looked for in after the exact code: code, barcode, name.
    static FindKey entryKey();
    // What it is looked for in before that, each in turn until one finds rows: the exact barcode,
    // code or barcode beginning with it, the name through its pieces. Each is answered by an
    // index; the "contains" of entryKey() reads every product.
    static QStringList entryRungs(const QString& text);

    struct Query {
        QString className;       // "" = every class
        QString fields;          // of the chosen key
        QString text;
        QString opText;
        bool showHidden = false; // the list only; the picker never offers hidden products
        QString extraCondition;  // the picker only: the asking field's filter
        QString limitClause;     // hclimit's " LIMIT 0, <n>" or ""
    };
    static QString listSql(const Query& query);
    static QString pickerSql(const Query& query);
    // The classes of the picker's left list: those of visible products.
    static QStringList pickerClasses();
};

} // namespace asv
