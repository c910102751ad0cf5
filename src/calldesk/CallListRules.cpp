#include "CallListRules.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace asv {

QString WithCallCount(const QString& number, int count)
{
    return number + u'(' + QString::number(count) + u')';
}

// Runs for every row on every call, so no regular expression.
QString WithoutCallCount(const QString& text)
{
    if (!text.endsWith(u')'))
        return text;
    const qsizetype open = text.lastIndexOf(u'(');
    if (open < 0 || open + 2 >= text.size())
        return text;
    for (qsizetype i = open + 1; i < text.size() - 1; ++i) {
        if (!text.at(i).isDigit())
            return text;
    }
    return text.left(open);
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
