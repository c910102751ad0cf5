#pragma once

#include <QList>
#include <QString>
#include <chrono>

namespace asv {

// The number cell of the received-call list: "<number>(<count>)".
QString WithCallCount(const QString& number, int count);
// The number without a trailing "(<digits>)"; text without one comes back as it is.
QString WithoutCallCount(const QString& text);

// Who a row of the list is from: the customer when the call is linked, else the number.
struct CallerKey {
    QString ccode;
    QString number;
};

// For each row of a newest-first list, the calls of the same caller from that row down to the
// oldest: rows sharing the customer code when the row has one, otherwise rows sharing the number.
QList<int> CallCounts(const QList<CallerKey>& rows);

// The time from the number reaching the program to its row on screen, as the tooltip and the
// log show it.
QString RingToPopText(std::chrono::nanoseconds elapsed);

} // namespace asv
