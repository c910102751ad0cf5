#include "ReceivablesMonthSplit.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

QStringList ReceivablesMonthSplit::months(const QDate& from, int count)
{
    QStringList out;
    if (count <= 0 || !from.isValid())
        return out;
    const QDate last = from.addDays(-1);
    for (QDate month = QDate(from.year(), from.month(), 1).addMonths(-count); month <= last; month = month.addMonths(1))
        out << month.toString(u"yyyy-MM"_s);
    return out;
}

QList<FixedMoney> ReceivablesMonthSplit::split(FixedMoney carried, const QList<Movement>& movements)
{
    // Bucket 0 is what was owed before the first month; bucket i + 1 is month i.
    QList<FixedMoney> owed(movements.size() + 1);
    owed[0] = carried;
    for (const Movement& m : movements)
        owed[0] -= m.debits - m.credits;

    for (qsizetype month = 0; month < movements.size(); ++month) {
        const qsizetype self = month + 1;
        // A credit left from earlier months pays the new debts first.
        FixedMoney debit = movements[month].debits;
        for (qsizetype i = 0; i < self && debit > FixedMoney(); ++i) {
            if (owed[i] < FixedMoney()) {
                const FixedMoney taken = std::min(debit, -owed[i]);
                owed[i] += taken;
                debit -= taken;
            }
        }
        owed[self] += debit;
        FixedMoney credit = movements[month].credits;
        for (qsizetype i = 0; i <= self && credit > FixedMoney(); ++i) {
            if (owed[i] > FixedMoney()) {
                const FixedMoney taken = std::min(credit, owed[i]);
                owed[i] -= taken;
                credit -= taken;
            }
        }
        owed[self] -= credit;
    }
    if (movements.isEmpty())
        return {};
    owed[1] += owed[0];
    owed.removeFirst();
    return owed;
}

} // namespace asv
