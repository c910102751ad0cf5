#include "DateText.h"
#include "QuickPeriod.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using asv::DatePeriod;
using asv::QuickPeriod;

namespace {

QDate d(const char16_t* text)
{
    return *asv::DateText::parse(QString::fromUtf16(text));
}

DatePeriod p(const char16_t* from, const char16_t* to)
{
    return {d(from), d(to)};
}

} // namespace

void PrintTo(const DatePeriod& period, std::ostream* os)
{
    *os << asv::DateText::format(period.from).toStdString() << " ~ "
        << asv::DateText::format(period.to).toStdString();
}

TEST(QuickPeriod, EveryButtonOnAnOrdinaryWednesdayAndOnTheEdgesOfMonthsWeeksAndYears)
{
    const QDate today = d(u"2024-05-15");
    const DatePeriod expected[QuickPeriod::kCount] = {
        p(u"2024-05-13", u"2024-05-13"), p(u"2024-05-14", u"2024-05-14"), p(u"2024-05-15", u"2024-05-15"),
        p(u"2024-05-16", u"2024-05-16"), p(u"2024-04-28", u"2024-05-04"), p(u"2024-05-05", u"2024-05-11"),
        p(u"2024-05-12", u"2024-05-18"), p(u"2024-05-19", u"2024-05-25"), p(u"2024-03-01", u"2024-03-31"),
        p(u"2024-04-01", u"2024-04-30"), p(u"2024-05-01", u"2024-05-31"), p(u"2024-06-01", u"2024-06-30"),
        p(u"2022-01-01", u"2022-12-31"), p(u"2023-01-01", u"2023-12-31"), p(u"2024-01-01", u"2024-12-31"),
        p(u"2025-01-01", u"2025-12-31"), p(u"2024-01-01", u"2024-03-31"), p(u"2024-04-01", u"2024-06-30"),
        p(u"2024-07-01", u"2024-09-30"), p(u"2024-10-01", u"2024-12-31"), p(u"2024-01-01", u"2024-06-30"),
        p(u"2024-07-01", u"2024-12-31"), p(u"2024-04-15", u"2024-05-15"), p(u"2024-03-16", u"2024-05-15"),
        p(u"2024-02-15", u"2024-05-15"), p(u"2023-11-17", u"2024-05-15"), p(u"2023-05-16", u"2024-05-15"),
    };
    for (int k = 0; k < QuickPeriod::kCount; ++k)
        EXPECT_EQ(QuickPeriod::range(QuickPeriod::Kind(k), today), expected[k])
            << QuickPeriod::caption(QuickPeriod::Kind(k)).toStdString();

    // Month ends, week starts, year turns and leap days.
    const struct {
        QuickPeriod::Kind kind;
        const char16_t* today;
        DatePeriod expected;
    } edges[] = {
        // A recent month counts days, not calendar months.
        {QuickPeriod::Recent1Month, u"2024-03-31", p(u"2024-03-01", u"2024-03-31")},
        {QuickPeriod::LastMonth, u"2024-03-31", p(u"2024-02-01", u"2024-02-29")},
        // Weeks run Sunday to Saturday.
        {QuickPeriod::ThisWeek, u"2024-03-31", p(u"2024-03-31", u"2024-04-06")},
        {QuickPeriod::ThisWeek, u"2024-03-30", p(u"2024-03-24", u"2024-03-30")},
        {QuickPeriod::LastWeek, u"2024-03-31", p(u"2024-03-24", u"2024-03-30")},
        {QuickPeriod::LastMonth, u"2024-01-15", p(u"2023-12-01", u"2023-12-31")},
        {QuickPeriod::WeekBeforeLast, u"2024-01-02", p(u"2023-12-17", u"2023-12-23")},
        {QuickPeriod::DayBeforeYesterday, u"2024-01-01", p(u"2023-12-30", u"2023-12-30")},
        {QuickPeriod::ThisMonth, u"2024-02-29", p(u"2024-02-01", u"2024-02-29")},
        {QuickPeriod::NextMonth, u"2024-02-29", p(u"2024-03-01", u"2024-03-31")},
        {QuickPeriod::Recent1Year, u"2024-02-29", p(u"2023-03-01", u"2024-02-29")},
        {QuickPeriod::ThisMonth, u"2023-02-28", p(u"2023-02-01", u"2023-02-28")},
        {QuickPeriod::Tomorrow, u"2023-02-28", p(u"2023-03-01", u"2023-03-01")},
        {QuickPeriod::Recent1Year, u"2023-02-28", p(u"2022-02-28", u"2023-02-28")},
    };
    for (const auto& c : edges)
        EXPECT_EQ(QuickPeriod::range(c.kind, d(c.today)), c.expected)
            << QuickPeriod::caption(c.kind).toStdString() << " on " << QString::fromUtf16(c.today).toStdString();
}

