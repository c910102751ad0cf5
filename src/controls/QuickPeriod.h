#pragma once

#include <QDate>
#include <QString>

namespace asv {

struct DatePeriod {
    QDate from;
    QDate to;
    bool operator==(const DatePeriod&) const = default;
};

// The buttons of the quick-period dialog, in the dialog's order. Weeks run Sunday to Saturday;
// months, quarters, halves and years are calendar periods; the "recent" ones count days back.
class QuickPeriod {
public:
    enum Kind {
        DayBeforeYesterday,
        Yesterday,
        Today,
        Tomorrow,
        WeekBeforeLast,
        LastWeek,
        ThisWeek,
        NextWeek,
        MonthBeforeLast,
        LastMonth,
        ThisMonth,
        NextMonth,
        YearBeforeLast,
        LastYear,
        ThisYear,
        NextYear,
        Quarter1,
        Quarter2,
        Quarter3,
        Quarter4,
        FirstHalf,
        SecondHalf,
        Recent1Month,
        Recent2Months,
        Recent3Months,
        Recent6Months,
        Recent1Year,
    };
    static constexpr int kCount = Recent1Year + 1;

    static DatePeriod range(Kind kind, const QDate& today);
    static QString caption(Kind kind);
};

} // namespace asv
