#include "QuickPeriod.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

DatePeriod day(const QDate& d)
{
    return {d, d};
}

DatePeriod weekOf(const QDate& d)
{
    // dayOfWeek(): Monday 1 .. Sunday 7.
    const QDate sunday = d.addDays(-(d.dayOfWeek() % 7));
    return {sunday, sunday.addDays(6)};
}

DatePeriod monthOf(const QDate& d)
{
    const QDate first(d.year(), d.month(), 1);
    return {first, first.addMonths(1).addDays(-1)};
}

DatePeriod monthsOfYear(int year, int firstMonth, int lastMonth)
{
    const QDate last(year, lastMonth, 1);
    return {QDate(year, firstMonth, 1), QDate(year, lastMonth, last.daysInMonth())};
}

DatePeriod daysBack(const QDate& today, int days)
{
    return {today.addDays(-days), today};
}

} // namespace

DatePeriod QuickPeriod::range(Kind kind, const QDate& today)
{
    const int year = today.year();
    switch (kind) {
    case DayBeforeYesterday: return day(today.addDays(-2));
    case Yesterday: return day(today.addDays(-1));
    case Today: return day(today);
    case Tomorrow: return day(today.addDays(1));
    case WeekBeforeLast: return weekOf(today.addDays(-14));
    case LastWeek: return weekOf(today.addDays(-7));
    case ThisWeek: return weekOf(today);
    case NextWeek: return weekOf(today.addDays(7));
    case MonthBeforeLast: return monthOf(today.addMonths(-2));
    case LastMonth: return monthOf(today.addMonths(-1));
    case ThisMonth: return monthOf(today);
    case NextMonth: return monthOf(today.addMonths(1));
    case YearBeforeLast: return monthsOfYear(year - 2, 1, 12);
    case LastYear: return monthsOfYear(year - 1, 1, 12);
    case ThisYear: return monthsOfYear(year, 1, 12);
    case NextYear: return monthsOfYear(year + 1, 1, 12);
    case Quarter1: return monthsOfYear(year, 1, 3);
    case Quarter2: return monthsOfYear(year, 4, 6);
    case Quarter3: return monthsOfYear(year, 7, 9);
    case Quarter4: return monthsOfYear(year, 10, 12);
    case FirstHalf: return monthsOfYear(year, 1, 6);
    case SecondHalf: return monthsOfYear(year, 7, 12);
    case Recent1Month: return daysBack(today, 30);
    case Recent2Months: return daysBack(today, 60);
    case Recent3Months: return daysBack(today, 90);
    case Recent6Months: return daysBack(today, 180);
    case Recent1Year: return daysBack(today, 365);
    }
    return day(today);
}

QString QuickPeriod::caption(Kind kind)
{
    static const QString captions[kCount] = {
        u"그제"_s,     u"어제"_s,     u"오늘   日"_s,  u"내일"_s,     u"지지난주"_s,  u"지난주"_s,
        u"이번주   "_s, u"다음주"_s,   u"지지난달"_s,  u"지난달"_s,   u"이번달 月"_s, u"다음달"_s,
        u"지지난해"_s, u"지난해"_s,   u"올해   年"_s,  u"다음해"_s,   u"1분기"_s,     u"2분기"_s,
        u"3분기"_s,    u"4분기"_s,    u"전반기"_s,    u"후반기"_s,   u"최근1개월"_s, u"최근2개월"_s,
        u"최근3개월"_s, u"최근6개월"_s, u"최근1년"_s,
    };
    return captions[kind];
}

} // namespace asv
