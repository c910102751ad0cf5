#include "HistoryFixture.h"
#include "HistoryStore.h"

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::HistoryFixture;

namespace {

const HistoryPeriod kMarch{u"2026-03-01"_s, u"2026-03-31"_s};

// One column of every row.
QStringList column(const RecordSetPtr& rs, int col)
{
    QStringList values;
    for (int row = 0; row < rs->rowCount(); ++row)
        values << rs->value(row, col);
    return values;
}

} // namespace

TEST_F(HistoryFixture, AnAsJobIsListedOnlyWithItsProductUserInChargeAndTypeWithinThePeriod)
{
    sql(u"INSERT INTO ascode (code, part, name) VALUES (7, 0, '소음')"_s);
    const auto job = [](const QString& remark, const QString& pcode, const QString& charge, int type,
                        const QString& date, const QString& ccode = kCustomer) {
        sql(u"INSERT INTO aslist_m (ccode, pcode, charge, typecode0, dealdate, dealbigo, state) "
            "VALUES ('%1', '%2', '%3', %4, '%5', '%6', 9)"_s.arg(ccode, pcode, charge, QString::number(type), date,
                                                                remark));
    };
    job(u"later"_s, u"P00001"_s, u"02"_s, 7, u"2026-03-20"_s);
    job(u"earlier"_s, u"P00001"_s, u"01"_s, 7, u"2026-03-02"_s);
    job(u"no product"_s, u"P99999"_s, u"01"_s, 7, u"2026-03-05"_s);
    job(u"no user"_s, u"P00001"_s, u"99"_s, 7, u"2026-03-05"_s);
    job(u"no type"_s, u"P00001"_s, u"01"_s, 8, u"2026-03-05"_s);
    job(u"last day"_s, u"P00001"_s, u"01"_s, 7, u"2026-03-31"_s);
    job(u"before"_s, u"P00001"_s, u"01"_s, 7, u"2026-02-28"_s);
    job(u"other customer"_s, u"P00001"_s, u"01"_s, 7, u"2026-03-05"_s, u"C00002"_s);

    const RecordSetPtr rs = HistoryStore::asJobs(kCustomer, kMarch);
    EXPECT_EQ(column(rs, 3), QStringList({u"earlier"_s, u"later"_s, u"last day"_s}));
    EXPECT_EQ(column(rs, 4), QStringList({u"세탁기"_s, u"세탁기"_s, u"세탁기"_s}));
    EXPECT_EQ(column(rs, 5), QStringList({u"김상담"_s, u"이상담"_s, u"김상담"_s}));
    EXPECT_EQ(rs->field(u"acname"_s), u"소음"_s);
}

TEST_F(HistoryFixture, ConsultationsAreTheWrittenOnesWithAConsultantOfTheCustomerOrOfTheNumber)
{
    const int byCustomer = call(kCustomer, u"0311112222"_s, u"01"_s, u"2026-03-09"_s, u"09:00"_s, 2);
    const int byNumber = call({}, kNumber, u"02"_s, u"2026-03-09"_s, u"17:45"_s, 1);
    const int newest = call(kCustomer, kNumber, u"01"_s, u"2026-03-10"_s, u"08:00"_s, 1);
    call(kCustomer, kNumber, u"01"_s, u"2026-03-10"_s, u"09:00"_s, 0);    // never written
    call(kCustomer, kNumber, {}, u"2026-03-10"_s, u"10:00"_s, 1);          // nobody took it
    call(kCustomer, kNumber, u"77"_s, u"2026-03-10"_s, u"11:00"_s, 1);     // consultant since deleted
    call(kCustomer, kNumber, u"01"_s, u"2026-02-27"_s, u"11:00"_s, 2);     // before the period
    call(u"C00002"_s, u"0299998888"_s, u"01"_s, u"2026-03-10"_s, u"12:00"_s, 2);
    call({}, {}, u"01"_s, u"2026-03-10"_s, u"12:30"_s, 2);                 // no number at all

    const auto codes = [](const QString& ccode, const QString& number) {
        return column(HistoryStore::consultations(ccode, number, kMarch), 6);
    };
    const QString n = QString::number(newest), c = QString::number(byCustomer), k = QString::number(byNumber);
    EXPECT_EQ(codes(kCustomer, kNumber), QStringList({n, k, c}));
    // An unknown caller: the number's calls alone.
    EXPECT_EQ(codes({}, kNumber), QStringList({n, k}));
    EXPECT_TRUE(codes({}, u"0500000000"_s).isEmpty());
    // A side that is not known matches nothing, not every call that lacks it.
    EXPECT_EQ(codes(kCustomer, {}), QStringList({n, c}));
    EXPECT_TRUE(codes({}, {}).isEmpty());
}

TEST_F(HistoryFixture, PurchasesAreTheCustomersSalesOfThePeriodByDate)
{
    sql(u"INSERT INTO sale (ccode, pcode, pname, qnt, dealdate) VALUES "
        "('C00001', 'P00001', '세탁기', 2, '2026-03-15'), ('C00001', 'P00001', '건조기', 1.5, '2026-03-01'), "
        "('C00001', 'P00001', '예전', 1, '2026-02-01'), ('C00002', 'P00001', '남의것', 1, '2026-03-02')"_s);
    const RecordSetPtr rs = HistoryStore::sales(kCustomer, kMarch);
    EXPECT_EQ(column(rs, 2), QStringList({u"건조기"_s, u"세탁기"_s}));
    EXPECT_EQ(rs->value(0, 3).toDouble(), 1.5);
}

TEST_F(HistoryFixture, ACorrectionMakesTheCorrectorTheConsultantAndStampsTheEdit)
{
    const int code = call({}, kNumber, u"02"_s, u"2026-03-09"_s, u"10:00"_s, 1);
    const HistoryStore::Correction c{.code = code, .pcode = u"P00001"_s, .pname = u"세탁기"_s, .concode = 3,
                                     .refernote = u"문의 '50%1' \\"_s, .connote = u"수리 안내"_s, .state = 2,
                                     .userCode = u"01"_s};
    ASSERT_EQ(HistoryStore::correctConsultation(c), 1);
    const RecordSetPtr rs = HistoryStore::consultation(code);
    EXPECT_EQ(rs->field(u"regucode"_s), u"01"_s);
    EXPECT_EQ(rs->field(u"refernote"_s), u"문의 '50%1' \\"_s);
    EXPECT_EQ(rs->field(u"state"_s), u"2"_s);
    EXPECT_EQ(rs->field(u"concode"_s), u"3"_s);
    EXPECT_EQ(rs->field(u"editdate"_s) + u' ' + rs->field(u"edittime"_s), u"2026-03-10 14:30"_s);
    // Untouched: when the call came.
    EXPECT_EQ(rs->field(u"condate"_s), u"2026-03-09"_s);
}
