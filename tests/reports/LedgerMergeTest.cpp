#include "GridFixtures.h"
#include "LedgerMerge.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

using test::makeRecordSet;

TEST(LedgerMergeTest, MoneyIsExactInTenThousandths)
{
    const struct {
        QString text;
        qint64 units;
        QString shown;
    } cases[] = {
        {u"4200.0000"_s, 42000000, u"4200"_s}, {u"-0.5000"_s, -5000, u"-0.5"_s}, {u"12.3456"_s, 123456, u"12.3456"_s},
        {u"-1234.05"_s, -12340500, u"-1234.05"_s}, {u"7"_s, 70000, u"7"_s}, {QString(), 0, u"0"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(LedgerMerge::money(c.text), c.units);
        EXPECT_EQ(LedgerMerge::moneyText(c.units), c.shown);
    }
    // Binary fractions would leave 0.30000000000000004 - 0.3 behind.
    EXPECT_EQ(LedgerMerge::money(u"0.1"_s) + LedgerMerge::money(u"0.2"_s) - LedgerMerge::money(u"0.3"_s), 0);
}

// Debits and credits of one customer interleave by date; either list may run out first, and lines
// of a customer not listed are left out.
TEST(LedgerMergeTest, MergesByDateUntilBothListsRunOut)
{
    const QStringList debitFields = {u"ccode"_s, u"dealdate"_s, u"total"_s, u"pname"_s, u"pnorm"_s};
    const QStringList creditFields = {u"ccode"_s, u"dealdate"_s, u"amount"_s, u"type"_s};
    LedgerMerge ledger(
        makeRecordSet({u"code"_s, u"basebaln"_s, u"compalias"_s}, {{u"A"_s, u"10"_s, u"가"_s}, {u"B"_s, u"0"_s, u"나"_s}}),
        makeRecordSet({u"ccode"_s, u"sumtot"_s}, {{u"A"_s, u"5"_s}, {u"A"_s, u"-3"_s}, {u"Z"_s, u"99"_s}}),
        makeRecordSet(debitFields, {{u"A"_s, u"2026-03-01"_s, u"100"_s, u"d1"_s, {}},
                              {u"A"_s, u"2026-03-05"_s, u"200"_s, u"d2"_s, {}},
                              {u"Z"_s, u"2026-03-01"_s, u"1"_s, u"z"_s, {}}}),
        makeRecordSet(creditFields, {{u"A"_s, u"2026-02-28"_s, u"1"_s, u"0"_s},
                               {u"A"_s, u"2026-03-01"_s, u"2"_s, u"0"_s},
                               {u"A"_s, u"2026-03-09"_s, u"4"_s, u"9"_s},
                               {u"B"_s, u"2026-03-03"_s, u"8"_s, u"1"_s}}));
    ledger.carryForward();
    ledger.mergeLines();

    QStringList items;
    QStringList balances;
    for (int r = 0; r < ledger.rowCount(); ++r) {
        items << ledger.text(r, LedgerMerge::ColItem) + ledger.text(r, LedgerMerge::ColDate).right(2);
        balances << ledger.text(r, LedgerMerge::ColBalance);
    }
    EXPECT_EQ(items, QStringList({u"[전기이월]"_s, u"입금28"_s, u"d101"_s, u"입금01"_s, u"d205"_s, u"입금09"_s,
                                  u"[소 계]"_s, u"[전기이월]"_s, u"입금03"_s, u"[소 계]"_s, u"[합 계]"_s}));
    EXPECT_EQ(balances, QStringList({u"12"_s, u"11"_s, u"111"_s, u"109"_s, u"309"_s, u"305"_s, u"305"_s, u"0"_s,
                                     u"-8"_s, u"-8"_s, u"297"_s}));
    EXPECT_EQ(ledger.text(5, LedgerMerge::ColUnit), QString()); // an unknown payment kind
    EXPECT_EQ(ledger.text(8, LedgerMerge::ColUnit), u"카드"_s);
}

} // namespace
