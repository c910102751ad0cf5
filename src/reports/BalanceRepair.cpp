#include "BalanceRepair.h"

#include "CodeKey.h"
#include "CustomerBalance.h"
#include "DbError.h"
#include "DbTransaction.h"
#include "StoreSql.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kStore = u"BalanceRepair"_s;
// Corrections per statement: one statement per customer cost three times the single-statement
// repair; a thousand rows keep each statement small.
constexpr qsizetype kBatch = 1000;

RecordSetPtr read(const QString& sql, const QString& operation)
{
    return StoreSql(nullptr, kStore).read(sql, operation);
}

FixedMoney money(const RecordSet& rs, int row, int col, const QString& what)
{
    if (const std::optional<FixedMoney> value = FixedMoney::parse(rs.value(row, col)))
        return *value;
    throw DbError(0, kStore + u"::check"_s, what + u": "_s + rs.value(row, col));
}

} // namespace

QList<BalanceRepair::Correction> BalanceRepair::check(const Progress& progress)
{
    RecordSetPtr customers;
    RecordSetPtr sums;
    // Balances and documents as of one moment: a document a desk wrote between the two reads would
    // otherwise be counted once by the desk and once more by the repair's difference.
    const bool snapshot = DbTransaction::run([&] {
        customers = read(u"SELECT code, compname, basemoney, nowmoney FROM customer ORDER BY code"_s, u"customers"_s);
        sums = read(u"SELECT ccode, SUM(total) AS sumval FROM sale GROUP BY ccode"
                    u" UNION ALL SELECT ccode, SUM(amount) AS sumval FROM aslist_m AS m, aslist_d AS d"
                    u" WHERE m.code = d.code AND d.isfree = 0 GROUP BY ccode"
                    u" UNION ALL SELECT ccode, SUM(amount+dc)*-1 AS sumval FROM receive GROUP BY ccode"_s,
                    u"sums"_s);
        return true;
    });
    if (!snapshot)
        throw DbError(0, kStore + u"::check"_s, u"START TRANSACTION"_s);
    QHash<QString, FixedMoney> documents;
    documents.reserve(customers->rowCount());
    for (int row = 0; row < sums->rowCount(); ++row)
        documents[CodeKey::of(sums->value(row, 0))] += money(*sums, row, 1, u"sumval"_s);

    QList<Correction> corrections;
    const int total = customers->rowCount();
    for (int row = 0; row < total; ++row) {
        const QString code = customers->value(row, 0);
        const FixedMoney old = money(*customers, row, 3, u"nowmoney"_s);
        const FixedMoney computed = money(*customers, row, 2, u"basemoney"_s) + documents.value(CodeKey::of(code));
        if (computed != old)
            corrections.append({code, customers->value(row, 1), old, computed});
        if (progress)
            progress(row + 1, total);
    }
    return corrections;
}

QList<BalanceRepair::Correction> BalanceRepair::repair(const QList<Correction>& corrections)
{
    QList<Correction> written;
    for (qsizetype start = 0; start < corrections.size(); start += kBatch) {
        const QList<Correction> batch = corrections.mid(start, kBatch);
        QList<std::pair<QString, QString>> differences;
        for (const Correction& c : batch)
            differences.append({c.code, (c.computed - c.old).text()});
        if (CustomerBalance().moveEach(differences))
            written += batch;
    }
    return written;
}

QStringList BalanceRepair::logLines(const QList<Correction>& found, const QList<Correction>& written)
{
    QStringList lines;
    qsizetype next = 0;
    for (const Correction& c : found) {
        const bool done = next < written.size() && written[next].code == c.code;
        next += done;
        lines << (done ? u"[☆복구] 거래처 잔액: "_s + c.name + u' ' + c.old.grouped() + u" -> "_s + c.computed.grouped()
                       : u"[※오류] 거래처 잔액복구중 오류발생: "_s + c.name);
    }
    return lines;
}

QString BalanceRepair::allCorrectLine()
{
    return u"[○정상] 모든 "_s + u"미수"_s + u"자료가 정상입니다."_s;
}

} // namespace asv
