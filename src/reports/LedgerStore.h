#pragma once

#include "RecordSet.h"

#include <QString>

namespace asv {

// The reads of the customer ledger: the customers, what each carries forward, and the debit (sale
// lines, charged AS items) and credit (payments) lines. Reads that fail throw DbError.
class LedgerStore {
public:
    struct Filter {
        bool period = true; // off: nothing is carried but the opening balance, and every line follows
        QString from;       // "yyyy-mm-dd"
        QString to;
        QString ccode; // empty: every customer not hidden

        // The last day carried forward.
        QString cutoff() const;
    };

    static QString customersSql(const Filter& filter);
    static QString carriedSql(const Filter& filter);
    static QString debitsSql(const Filter& filter);
    static QString creditsSql(const Filter& filter);

    // code, basebaln, compname, compalias, telno1, fax, ...; by alias, then code.
    static RecordSetPtr customers(const Filter& filter);
    // ccode, sumtot: sales, charged AS items and negated payments up to the cut-off, by ccode.
    static RecordSetPtr carried(const Filter& filter);
    // ccode, dealdate, code, prnbigo, pname, pnorm, price, qnt, punit, total; by customer and date.
    static RecordSetPtr debits(const Filter& filter);
    // ccode, dealdate, type, amount (with the discount), bigo; by customer and date.
    static RecordSetPtr credits(const Filter& filter);
};

} // namespace asv
