#include "CallListRules.h"

#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace asv {

QString WithCallCount(const QString& number, int count)
{
    return number + u'(' + QString::number(count) + u')';
}

QString WithoutCallCount(const QString& text)
{
    static const QRegularExpression suffix(u"\\(\\d+\\)$"_s);
    return QString(text).remove(suffix);
}

// Counted from the oldest row up, so a list of n rows costs n look-ups, not n².
QList<int> CallCounts(const QList<CallerKey>& rows)
{
    QHash<QString, int> byCustomer;
    QHash<QString, int> byNumber;
    QList<int> counts(rows.size());
    for (qsizetype r = rows.size() - 1; r >= 0; --r) {
        const CallerKey& row = rows.at(r);
        const QString number = WithoutCallCount(row.number);
        const int forCustomer = row.ccode.isEmpty() ? 0 : ++byCustomer[row.ccode];
        const int forNumber = ++byNumber[number];
        counts[r] = row.ccode.isEmpty() ? forNumber : forCustomer;
    }
    return counts;
}

QString RingToPopText(std::chrono::nanoseconds elapsed)
{
    const double ms = std::chrono::duration<double, std::milli>(elapsed).count();
    return u"수신→표시 "_s + QString::number(ms, 'f', 1) + u" ms"_s;
}

} // namespace asv
