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

// The lines come in any order and in several lists: each customer's run by date, then document, a sale line before an
// AS item of the same document number, and payments after the debits of their day. Lines of a
// customer not listed and sale lines naming no product are left out.
TEST(LedgerMergeTest, OrdersEachCustomersLinesAndMergesThemByDate)
{
    const QStringList saleFields = {u"ccode"_s, u"dealdate"_s, u"code"_s, u"pcode"_s, u"total"_s, u"pname"_s};
    LedgerStore::Debits debits{
        {makeRecordSet(saleFields, {{u"A"_s, u"2026-03-01"_s, u"9"_s, u"P1"_s, u"100"_s, u"d1"_s},
                                   {u"A"_s, u"2026-03-01"_s, u"5"_s, u"P1"_s, u"50"_s, u"d0"_s},
                                   {u"A"_s, u"2026-03-02"_s, u"4"_s, u"P9"_s, u"999"_s, u"gone"_s},
                                   {u"Z"_s, u"2026-03-01"_s, u"1"_s, u"P1"_s, u"1"_s, u"z"_s}}),
         // Written by another program in lower case with a blank: the server's join matched it.
         makeRecordSet(saleFields, {{u"a "_s, u"2026-03-05"_s, u"7"_s, u"p1"_s, u"200"_s, u"d2"_s}})},
        makeRecordSet({u"ccode"_s, u"dealdate"_s, u"code"_s, u"pcode"_s, u"amount"_s},
                      {{u"A"_s, u"2026-03-01"_s, u"5"_s, u"P2"_s, u"30"_s}}),
        makeRecordSet({u"code"_s, u"name"_s, u"norm"_s, u"unit"_s},
                      {{u"P1"_s, u"세탁기"_s, u"WM"_s, u"대"_s}, {u"P2"_s, u"모터"_s, {}, u"개"_s}})};
    const QStringList creditFields = {u"ccode"_s, u"dealdate"_s, u"code"_s, u"amount"_s, u"type"_s};
    LedgerMerge ledger(
        makeRecordSet({u"code"_s, u"basebaln"_s, u"compalias"_s}, {{u"A"_s, u"10"_s, u"가"_s}, {u"B"_s, u"0"_s, u"나"_s}}),
        makeRecordSet({u"ccode"_s, u"sumtot"_s}, {{u"A"_s, u"5"_s}, {u"Z"_s, u"99"_s}, {u"a"_s, u"-3"_s}}), debits,
        makeRecordSet(creditFields, {{u"A"_s, u"2026-03-09"_s, u"12"_s, u"4"_s, u"9"_s},
                                     {u"B"_s, u"2026-03-03"_s, u"13"_s, u"8"_s, u"1"_s},
                                     {u"A"_s, u"2026-03-01"_s, u"11"_s, u"2"_s, u"0"_s},
                                     {u"A"_s, u"2026-02-28"_s, u"10"_s, u"1"_s, u"0"_s}}));
    ledger.carryForward();
    ledger.mergeLines();

    QStringList items;
    QStringList balances;
    for (int r = 0; r < ledger.rowCount(); ++r) {
        items << ledger.text(r, LedgerMerge::ColItem) + ledger.text(r, LedgerMerge::ColDate).right(2);
        balances << ledger.text(r, LedgerMerge::ColBalance);
    }
    EXPECT_EQ(items, QStringList({u"[전기이월]"_s, u"입금28"_s, u"d001"_s, u"모터01"_s, u"d101"_s, u"입금01"_s, u"d205"_s,
                                  u"입금09"_s, u"[소 계]"_s, u"[전기이월]"_s, u"입금03"_s, u"[소 계]"_s, u"[합 계]"_s}));
    EXPECT_EQ(balances, QStringList({u"12"_s, u"11"_s, u"61"_s, u"91"_s, u"191"_s, u"189"_s, u"389"_s, u"385"_s,
                                     u"385"_s, u"0"_s, u"-8"_s, u"-8"_s, u"377"_s}));
    // The units come from the products; an AS item is one piece at its amount.
    EXPECT_EQ(ledger.text(2, LedgerMerge::ColUnit), u"대"_s);
    EXPECT_EQ(ledger.text(3, LedgerMerge::ColUnit) + ledger.text(3, LedgerMerge::ColQty)
                  + ledger.text(3, LedgerMerge::ColPrice) + ledger.text(3, LedgerMerge::ColMemo).trimmed(),
              u"개130AS"_s);
    EXPECT_EQ(ledger.text(7, LedgerMerge::ColUnit), QString()); // an unknown payment kind
    EXPECT_EQ(ledger.text(10, LedgerMerge::ColUnit), u"카드"_s);
}

} // namespace
