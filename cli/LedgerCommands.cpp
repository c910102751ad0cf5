#include "LedgerCommands.h"

#include "LedgerMerge.h"
#include "LedgerStore.h"
#include "ReportArgs.h"
#include "modMsgBox.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

int reportLedger(QTextStream& out, const QStringList& args)
{
    const std::optional<ReportArgs> parsed = ReportArgs::parse(args);
    if (!parsed || parsed->from.isEmpty() != parsed->to.isEmpty()) {
        out << "usage: report ledger [--from yyyy-mm-dd --to yyyy-mm-dd] [--customer CODE] [--csv]\n";
        return 2;
    }
    LedgerStore::Filter filter;
    filter.period = !parsed->from.isEmpty();
    filter.from = parsed->from;
    filter.to = parsed->to;
    filter.ccode = parsed->customer;
    return Guarded(u"reportLedger"_s, u"Module"_s, u"LedgerCommands"_s, 1, [&] {
        LedgerMerge ledger(LedgerStore().customers(filter), LedgerStore().carried(filter), LedgerStore().debits(filter),
                           LedgerStore().credits(filter));
        ledger.carryForward();
        ledger.mergeLines();
        const auto write = [&](const QStringList& fields) {
            if (parsed->csv)
                WriteCsvLine(out, fields);
            else
                out << fields.join(u'\t') << '\n';
        };
        write(LedgerMerge::captions());
        for (int r = 0; r < ledger.rowCount(); ++r) {
            QStringList fields;
            for (int col = 0; col < LedgerMerge::ColCount; ++col)
                fields << ledger.text(r, col);
            write(fields);
        }
        return 0;
    });
}

} // namespace asv
