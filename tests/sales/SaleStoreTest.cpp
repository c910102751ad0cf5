#include "CtlProgram.h"
#include "SaleFixture.h"
#include "SaleStore.h"

#include <QProcess>

using namespace Qt::StringLiterals;

namespace asv::test {
namespace {

using SaleStoreTest = SaleFixture;

SaleLine line(const QString& ccode, const QString& pcode, double qty, double price, const QString& date)
{
    SaleLine l;
    l.ccode = ccode;
    l.pcode = pcode;
    l.pname = u"세탁기"_s;
    l.qnt = qty;
    l.price = price;
    l.dealdate = date;
    l.dealtime = u"14:30"_s;
    SaleStore::priceLine(l);
    return l;
}

TEST_F(SaleStoreTest, VatSplitFollowsCustomerAndProduct)
{
    const struct {
        QString ccode, pcode;
        double qty, price, amount, tax;
    } cases[] = {
        {kOnTop, u"P00001"_s, 3, 1005, 3015, 301},   // 301.5 cut
        {kIncluded, u"P00001"_s, 1, 1000, 909, 91},
        {kOnTop, u"P00002"_s, 2, 500, 1000, 0},      // a tax-free product stays tax-free
        {kIncluded, u"P00002"_s, 2, 500, 1000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.ccode + u' ' + c.pcode).toStdString());
        const SaleLine l = line(c.ccode, c.pcode, c.qty, c.price, u"2026-03-10"_s);
        EXPECT_DOUBLE_EQ(l.amount, c.amount);
        EXPECT_DOUBLE_EQ(l.tax, c.tax);
        EXPECT_DOUBLE_EQ(l.total, c.amount + c.tax);
    }
}

TEST_F(SaleStoreTest, EveryWriteMovesTheBalanceByTheChangeOfTheStoredTotalAndAFailedOneNot)
{
    SaleLine l = line(kOnTop, u"P00001"_s, 3, 1005, u"2026-03-10"_s);
    ASSERT_GT(SaleStore::insert(l), 0);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 3316);

    SaleChange toFive = SaleChange::repriced(2, 5, 1005, l.amount, l.tax);
    toFive.qnt = 2;
    ASSERT_TRUE(SaleStore::update(l.code, kOnTop, toFive));
    EXPECT_DOUBLE_EQ(number(u"SELECT qnt FROM sale WHERE code = %1"_s.arg(l.code)), 5);
    EXPECT_DOUBLE_EQ(number(u"SELECT total FROM sale WHERE code = %1"_s.arg(l.code)), 5025 + 502);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 5527);

    // Another desk raised the price meanwhile: the delete takes off what is stored, not what this
    // desk last saw.
    sql(u"UPDATE sale SET total = total + 100 WHERE code = %1"_s.arg(l.code));
    sql(u"UPDATE customer SET nowmoney = nowmoney + 100 WHERE code = 'C00001'"_s);
    ASSERT_TRUE(SaleStore::remove(l.code, kOnTop));
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000);
    EXPECT_FALSE(SaleStore::remove(l.code, kOnTop)) << "a line already gone";

    SaleLine tooLong = line(kOnTop, u"P00001"_s, 1, 1005, u"2026-03-10"_s);
    tooLong.receiptname = QString(51, u'가'); // longer than the column: refused in strict mode
    EXPECT_EQ(SaleStore::insert(tooLong), 0);
    SaleLine stranger = line(u"C09999"_s, u"P00001"_s, 1, 1005, u"2026-03-10"_s);
    EXPECT_EQ(SaleStore::insert(stranger), 0) << "no line without a balance to move";
    EXPECT_FALSE(SaleStore::update(l.code, kOnTop, toFive));
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000);
    EXPECT_EQ(number(u"SELECT COUNT(*) FROM sale"_s), 0);
}

TEST_F(SaleStoreTest, MonthSumsCountOnlyTheCustomersMonth)
{
    for (const auto& [ccode, date] : {std::pair{kOnTop, u"2026-03-01"_s}, {kOnTop, u"2026-03-31"_s},
                                      {kOnTop, u"2026-04-01"_s}, {kIncluded, u"2026-03-05"_s}}) {
        SaleLine l = line(ccode, u"P00001"_s, 1, 1000, date);
        ASSERT_GT(SaleStore::insert(l), 0);
    }
    sql(u"INSERT INTO receive (ccode, dealdate, amount, dc) VALUES ('C00001', '2026-03-15', 700, 0)"_s);
    const SaleStore::MonthSums sums = SaleStore::monthSums(kOnTop, u"2026-03"_s);
    EXPECT_DOUBLE_EQ(sums.sale, 2000);
    EXPECT_DOUBLE_EQ(sums.vat, 200);
    EXPECT_DOUBLE_EQ(sums.total, 2200);
    EXPECT_DOUBLE_EQ(sums.received, 700);
    EXPECT_DOUBLE_EQ(sums.balance, 1000 + 3300);
    EXPECT_EQ(SaleStore::monthLines(kOnTop, u"2026-03"_s)->rowCount(), 2);
}

// Two desks keep changing the same line, and so the same balance, at the same time.
TEST_F(SaleStoreTest, TwoDesksEditingOneLineLoseNoChange)
{
    SaleLine l = line(kOnTop, u"P00001"_s, 3, 1005, u"2026-03-10"_s);
    ASSERT_GT(SaleStore::insert(l), 0);
    QProcess desks[2];
    for (QProcess& desk : desks) {
        desk.setProcessChannelMode(QProcess::ForwardedChannels);
        desk.start(QStringLiteral(ASV_SALE_EDIT_PROCESS),
                   {db.name(), kOnTop, QString::number(l.code), u"1000"_s});
    }
    for (QProcess& desk : desks) {
        ASSERT_TRUE(desk.waitForFinished(120000));
        EXPECT_EQ(desk.exitCode(), 0);
    }
    // Each desk ends where it started, so the line must be back at 3 × 1,005 if no change was lost.
    EXPECT_DOUBLE_EQ(number(u"SELECT qnt FROM sale WHERE code = %1"_s.arg(l.code)), 3);
    EXPECT_DOUBLE_EQ(number(u"SELECT total FROM sale WHERE code = %1"_s.arg(l.code)), 3316);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 3316);
    EXPECT_EQ(balancesOffTheDocuments(), QStringList());
}

TEST_F(SaleStoreTest, CommandLineEntryStoresTheLineAsTheSlipDoes)
{
    const auto ctl = [&](const QStringList& args) { return runCtl(db, QStringList{u"sale"_s} + args).exitCode; };
    EXPECT_EQ(ctl({u"add"_s, kOnTop, u"P00001"_s, u"3"_s}), 0);
    EXPECT_EQ(ctl({u"add"_s, kOnTop, u"P00002"_s, u"2"_s, u"--price"_s, u"450"_s, u"--date"_s, u"2026-02-28"_s}), 0);
    EXPECT_EQ(ctl({u"add"_s, kOnTop, u"P00001"_s, u"1"_s, u"--date"_s, u"2026-02-30"_s}), 1);
    EXPECT_EQ(ctl({u"add"_s, u"C09999"_s, u"P00001"_s, u"1"_s}), 1);
    EXPECT_EQ(ctl({u"add"_s, kOnTop, u"P00001"_s}), 2);
    EXPECT_EQ(number(u"SELECT COUNT(*) FROM sale"_s), 2);
    EXPECT_DOUBLE_EQ(number(u"SELECT total FROM sale WHERE pcode = 'P00002' AND dealdate = '2026-02-28'"_s), 900);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 3316 + 900);
}

} // namespace
} // namespace asv::test
