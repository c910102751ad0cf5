#include "BalanceCommands.h"

#include "BalanceRepair.h"
#include "ReceivablesStore.h"
#include "ReportArgs.h"
#include "ReportDatabase.h"
#include "SharedOptions.h"
#include "modMsgBox.h"
#include "RecordSet.h"

#include <QTextStream>

using namespace Qt::StringLiterals;

namespace asv {

int repairBalances(QTextStream& out, bool checkOnly)
{
    const std::optional<QList<BalanceRepair::Correction>> found =
        Guarded(u"repairBalances"_s, u"Module"_s, u"BalanceCommands"_s, std::optional<QList<BalanceRepair::Correction>>(),
                [] { return std::optional(BalanceRepair::check()); });
    if (!found)
        return 1;
    if (found->isEmpty()) {
        out << BalanceRepair::allCorrectLine() << '\n';
        return 0;
    }
    if (checkOnly) {
        for (const BalanceRepair::Correction& c : *found)
            out << c.code << ' ' << c.name << ' ' << c.old.grouped() << " -> " << c.computed.grouped() << '\n';
        out << found->size() << " customer(s) differ; nothing written\n";
        return 1;
    }
    const QList<BalanceRepair::Correction> written = BalanceRepair::repair(*found);
    for (const QString& line : BalanceRepair::logLines(*found, written))
        out << line << '\n';
    return written.size() == found->size() ? 0 : 1;
}

int reportReceivables(QTextStream& out, const QStringList& args)
{
    const std::optional<ReportArgs> parsed = ReportArgs::parse(args);
    if (!parsed || parsed->from.isEmpty() || parsed->to.isEmpty()) {
        out << "usage: report receivables --from yyyy-mm-dd --to yyyy-mm-dd [--customer C] [--csv]\n";
        return 2;
    }
    ReceivablesStore::Filter filter;
    filter.from = QDate::fromString(parsed->from, u"yyyy-MM-dd"_s);
    filter.to = QDate::fromString(parsed->to, u"yyyy-MM-dd"_s);
    filter.ccode = parsed->customer;
    filter.decimals = SharedOptions::current().amountDecimals;
    const std::unique_ptr<ReportDatabase> db = ReportDatabase::CreateRPTFile();
    if (!db)
        return 1;
    const RecordSetPtr rs = Guarded(u"CreateReport"_s, u"Module"_s, u"BalanceCommands"_s, RecordSetPtr(),
                                    [&] { return ReceivablesStore().CreateReport(filter, *db); });
    if (!rs)
        return 1;
    Guarded(u"ClearTable"_s, u"Module"_s, u"BalanceCommands"_s, false, [&] {
        db->ClearTable(u"balnlist"_s);
        return true;
    });
    const QStringList labels = {u"ccode"_s, u"calias"_s, u"dname"_s, u"prebaln"_s,
                                u"tot"_s,   u"tot2"_s,   u"recv"_s,  u"baln"_s};
    constexpr int kFirstMoney = 3;
    QList<FixedMoney> totals(labels.size() - kFirstMoney);
    if (parsed->csv)
        WriteCsvLine(out, {u"거래처코드"_s, u"약칭"_s, u"담당자"_s, u"전기이월"_s, u"매출액"_s, u"AS금액"_s,
                           u"입금액"_s, u"잔액"_s});
    for (int row = 0; row < rs->rowCount(); ++row) {
        QStringList fields;
        for (qsizetype i = 0; i < labels.size(); ++i) {
            if (i < kFirstMoney) {
                fields << rs->value(row, labels[i]);
                continue;
            }
            const FixedMoney value = FixedMoney::parse(rs->value(row, labels[i])).value_or(FixedMoney());
            totals[i - kFirstMoney] += value;
            fields << (parsed->csv ? value.text() : value.grouped());
        }
        if (parsed->csv)
            WriteCsvLine(out, fields);
        else
            out << fields.join(u'\t') << '\n';
    }
    if (!parsed->csv) {
        QStringList sums = {u"[합 계]"_s, {}, {}};
        for (const FixedMoney& total : totals)
            sums << total.grouped();
        out << sums.join(u'\t') << '\n';
    }
    return 0;
}

} // namespace asv
