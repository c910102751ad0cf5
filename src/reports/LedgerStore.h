#pragma once

#include "RecordSetPtr.h"
#include "StoreSql.h"

#include <QString>
#include <QStringList>

namespace asv {

// The reads of the customer ledger: the customers, what each carries forward, and the debit (sale
// lines, charged AS items) and credit (payments) lines. The lines come unsorted and unjoined:
// LedgerMerge puts them in order per customer and takes the products from their own read, which
// spares the server a sort and a key look-up per line. Reads that fail throw DbError.
class LedgerStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit LedgerStore(cMySQL* db = nullptr);

    struct Filter {
        bool period = true; // off: nothing is carried but the opening balance, and every line follows
        QString from;       // "yyyy-mm-dd"
        QString to;
        QString ccode; // empty: every customer not hidden

        // The last day carried forward.
        QString cutoff() const;
    };

    // The debit lines of the period and the products they name.
    struct Debits {
        QList<RecordSetPtr> sales; // ccode, dealdate, code, pcode, prnbigo, pname, pnorm, price, qnt, total
        RecordSetPtr asItems;  // ccode, dealdate, code, pcode, amount
        RecordSetPtr products; // code, name, norm, unit
    };

    static QString customersSql(const Filter& filter);
    static QString carriedSql(const Filter& filter);
    // The whole book's year is read in two halves of the period, so that two connections share it.
    static QStringList salesSql(const Filter& filter);
    static QString asItemsSql(const Filter& filter);
    static QString productsSql(const Filter& filter);
    static QString creditsSql(const Filter& filter);
    // Every statement above, in the order the ledger runs them.
    static QStringList statements(const Filter& filter);

    // code, basebaln, compname, compalias, telno1, fax, ...; by alias, then code.
    RecordSetPtr customers(const Filter& filter);
    // ccode, sumtot: sales, charged AS items and negated payments up to the cut-off.
    RecordSetPtr carried(const Filter& filter);
    Debits debits(const Filter& filter);
    // ccode, dealdate, code, type, amount (with the discount), bigo.
    RecordSetPtr credits(const Filter& filter);
};

} // namespace asv
