#include "PeriodReportCommands.h"

#include "DailySalesColumns.h"
#include "GridModel.h"
#include "PeriodReportStore.h"
#include "ReportArgs.h"
#include "modMsgBox.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

int reportSales(QTextStream& out, const QStringList& args)
{
    const std::optional<ReportArgs> parsed = ReportArgs::parse(args);
    if (!parsed || parsed->from.isEmpty() || parsed->to.isEmpty()) {
        out << "usage: report sales --from yyyy-mm-dd --to yyyy-mm-dd [--customer C] [--csv]\n";
        return 2;
    }
    PeriodReportStore::SalesFilter filter;
    filter.from = parsed->from;
    filter.to = parsed->to;
    filter.ccode = parsed->customer;
    const RecordSetPtr lines = Guarded(u"reportSales"_s, u"Module"_s, u"PeriodReportCommands"_s, RecordSetPtr(),
                                       [&] { return PeriodReportStore().sales(filter); });
    if (!lines)
        return 1;
    GridModel cells;
    DailySalesColumns::setUp(cells);
    DailySalesColumns::fill(cells, lines);
    QStringList captions;
    for (int col = 0; col < DailySalesColumns::Count; ++col)
        captions << cells.caption(col);
    const auto write = [&](const QStringList& fields) {
        if (parsed->csv)
            WriteCsvLine(out, fields);
        else
            out << fields.join(u'\t') << '\n';
    };
    write(captions);
    for (int row = 0; row < cells.rowCount(); ++row) {
        QStringList fields;
        for (int col = 0; col < DailySalesColumns::Count; ++col)
            fields << (parsed->csv ? cells.text(row, col) : cells.displayText(row, col));
        write(fields);
    }
    return 0;
}

} // namespace asv
