#include "SampleDataGenerator.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

const QDate kLastDay(2024, 3, 31);

QStringList column(const QString& sql)
{
    RecordSetPtr rs;
    DBOpenRS(rs, sql);
    QStringList out;
    for (int row = 0; rs && row < rs->rowCount(); ++row)
        out.append(rs->value(row, 0));
    return out;
}

long count(const QString& sql)
{
    return DBGetValue(sql).toLong();
}

// Balances, references and telephone numbers of a generated book hold together.
void expectTheBookHoldsTogether(const SampleDataGenerator::Size& size)
{
    EXPECT_EQ(DBRecordCount(u"customer"_s), size.customers);
    EXPECT_EQ(DBRecordCount(u"sale"_s), size.saleLines);
    EXPECT_EQ(DBRecordCount(u"receive"_s), size.payments);
    EXPECT_EQ(DBRecordCount(u"aslist_m"_s), size.asJobs);
    EXPECT_EQ(DBRecordCount(u"rsvconsult"_s), size.calls);
    EXPECT_EQ(DBMaxValue(u"sale"_s, u"dealdate"_s), u"2024-03-31"_s);

    // The running balance is what the ledger computes from the documents, for every customer.
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM customer AS c WHERE c.nowmoney <> c.basemoney"
                    u" + (SELECT COALESCE(SUM(total), 0) FROM sale WHERE ccode = c.code)"
                    u" + (SELECT COALESCE(SUM(d.amount), 0) FROM aslist_m AS m, aslist_d AS d"
                    u"    WHERE m.code = d.code AND d.isfree = 0 AND m.ccode = c.code)"
                    u" - (SELECT COALESCE(SUM(amount + dc), 0) FROM receive WHERE ccode = c.code)"_s),
              0);
    EXPECT_GT(count(u"SELECT COUNT(*) FROM customer WHERE nowmoney > 0"_s), size.customers / 3);
    EXPECT_GT(count(u"SELECT COUNT(*) FROM customer WHERE basemoney > 0"_s), 0);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM customer WHERE nowmoney < 0"_s), 0);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM sale WHERE total <> amount + tax"_s), 0);

    // Lists join documents to their masters with inner joins: nothing may fall out of them.
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM sale AS s, product AS p, customer AS c"
                    u" WHERE s.pcode = p.code AND s.ccode = c.code"_s),
              size.saleLines);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM customer AS c, local_user AS u WHERE c.charge = u.code"_s), size.customers);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM aslist_d AS a, product AS p, ascode AS a1, ascode AS a2"
                    u" WHERE a.pcode = p.code AND a.typecode1 = a1.code AND a1.part = 1"
                    u" AND a.typecode2 = a2.code AND a2.part = 2"_s),
              DBRecordCount(u"aslist_d"_s));
    EXPECT_EQ(DBRecordCount(u"aslist_m"_s, u"state = 9 AND code NOT IN (SELECT code FROM aslist_d)"_s), 0);

    // Telephone numbers are canonical, and a linked call carries one the intake would have matched.
    const QRegularExpression canonical(u"^(02-\\d{3,4}|0[3-6]\\d-\\d{3,4}|010-\\d{4}|1[5-8]\\d\\d)-\\d{4}$"_s);
    const QStringList numbers = column(u"SELECT telno1 FROM customer UNION ALL SELECT telno2 FROM customer"
                                       u" UNION ALL SELECT telno3 FROM customer UNION ALL SELECT telno4 FROM customer"
                                       u" UNION ALL SELECT fax FROM customer UNION ALL SELECT hpno FROM customer"
                                       u" UNION ALL SELECT ctelno FROM rsvconsult"_s);
    int filled = 0;
    for (const QString& number : numbers) {
        if (number.isEmpty())
            continue;
        ++filled;
        EXPECT_TRUE(canonical.match(number).hasMatch()) << number.toStdString();
    }
    EXPECT_GT(filled, 200);
    EXPECT_EQ(DBRecordCount(u"customer"_s, u"telno1 = ''"_s), 0);
    EXPECT_EQ(count(u"SELECT COUNT(*) FROM rsvconsult AS r JOIN customer AS c ON c.code = r.ccode"
                    u" WHERE r.ctelno NOT IN (c.telno1, c.telno2, c.telno3, c.telno4)"_s),
              0);
    EXPECT_GT(DBRecordCount(u"rsvconsult"_s, u"ccode <> ''"_s), 0);
}

} // namespace

TEST(SampleDataGenerator, TheDemoBookHoldsTogetherTheSameSeedGivesTheSameRowsAndOnlyIntoAnEmptyBook)
{
    const auto size = SampleDataGenerator::Size::demo();
    const auto checksums = [] {
        return column(u"SELECT (SELECT SUM(CRC32(CONCAT_WS('|', code, compname, telno1, addr1, nowmoney))) FROM customer)"
                      u" UNION ALL SELECT SUM(CRC32(CONCAT_WS('|', code, ccode, pname, total, dealdate))) FROM sale"
                      u" UNION ALL SELECT SUM(CRC32(CONCAT_WS('|', code, ctelno, cname, condate))) FROM rsvconsult"_s);
    };
    QStringList first;
    {
        TestDatabase db;
        ScriptedPrompter prompter;
        ASSERT_TRUE(SampleDataGenerator(7, kLastDay).generate(size));
        EXPECT_TRUE(prompter.messages().isEmpty());
        expectTheBookHoldsTogether(size);
        first = checksums();

        EXPECT_FALSE(SampleDataGenerator(7, kLastDay).generate(size));
        EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Warn), 1);
        EXPECT_EQ(DBRecordCount(u"sale"_s), size.saleLines);
    }
    TestDatabase db;
    ASSERT_TRUE(SampleDataGenerator(7, kLastDay).generate(size));
    EXPECT_EQ(checksums(), first);
}
