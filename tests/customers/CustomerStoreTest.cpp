#include "Clock.h"
#include "CustomerStore.h"
#include "DbError.h"
#include "ScriptedPrompter.h"
#include "SqlLog.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using Kind = ScriptedPrompter::Kind;

namespace {

struct CustomerStoreFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    static int add(const QString& code, const QString& telno1 = {}, const QString& hpno = {})
    {
        CustomerRecord c;
        c.code = code;
        c.compname = c.compalias = u"고객"_s + code;
        c.telno1 = telno1;
        c.hpno = hpno;
        return CustomerStore::insert(c, false);
    }
};

} // namespace

TEST_F(CustomerStoreFixture, DeleteIsRefusedWhileSalesPaymentsOrConsultationsReferToTheCustomer)
{
    for (const QString& code : {u"000001"_s, u"000002"_s, u"000003"_s, u"000004"_s})
        ASSERT_EQ(add(code), 1);
    DBExecute(u"INSERT INTO sale (ccode) VALUES ('000001')"_s);
    DBExecute(u"INSERT INTO receive (ccode) VALUES ('000001'), ('000002')"_s);
    DBExecute(u"INSERT INTO rsvconsult (ccode) VALUES ('000003')"_s);
    DBExecute(u"INSERT INTO aslist_m (ccode) VALUES ('000004')"_s);
    ASSERT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();

    const QString used = u"해당 데이터가 「%1」에서 사용중이기 때문에 삭제할 수 없습니다."_s;
    EXPECT_FALSE(CustomerStore::remove(u"000001"_s));
    EXPECT_FALSE(CustomerStore::remove(u"000002"_s));
    EXPECT_FALSE(CustomerStore::remove(u"000003"_s));
    // Sales come first; one message per refusal.
    EXPECT_EQ(prompter.texts(), QStringList({used.arg(u"매출전표(샘플출고)"_s), used.arg(u"입금전표"_s),
                                             used.arg(u"상담내역"_s)}));
    EXPECT_EQ(DBRecordCount(u"customer"_s), 4);

    // AS jobs do not hold a customer.
    prompter.clear();
    EXPECT_TRUE(CustomerStore::remove(u"000004"_s));
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_FALSE(CustomerStore::codeExists(u"000004"_s));

    EXPECT_FALSE(CustomerStore::remove(u"000004"_s));
    EXPECT_EQ(prompter.texts(Kind::Warn),
              QStringList{u"자료를 삭제 할 수 없습니다.\r\n\r\n이미 삭제되었거나, 삭제할 수 없는 경우가 발생했습니다."_s});
}

TEST_F(CustomerStoreFixture, TelephoneTestCoversAllNumbersLiterallyButNotTheRecordItself)
{
    ASSERT_EQ(add(u"000001"_s, u"0212345678"_s, u"010-1234-5678"_s), 1);
    DBExecute(u"UPDATE customer SET telno3 = '031-111-2222' WHERE code = '000001'"_s);
    EXPECT_EQ(CustomerStore::telephoneCount(u"0212345678"_s, {}), 1);
    EXPECT_EQ(CustomerStore::telephoneCount(u"02-1234-5678"_s, {}), 0);
    EXPECT_EQ(CustomerStore::telephoneCount(u"031-111-2222"_s, {}), 1);
    EXPECT_EQ(CustomerStore::telephoneCount(u"010-1234-5678"_s, {}), 1);
    EXPECT_EQ(CustomerStore::telephoneCount(u"010-1234-5678"_s, u"000001"_s), 0);
    EXPECT_EQ(CustomerStore::telephoneCount(u"x' OR '1'='1"_s, {}), 0);
}

TEST_F(CustomerStoreFixture, FailedStatementsAreNeverReportedAsDone)
{
    ASSERT_EQ(add(u"000001"_s), 1);
    EXPECT_EQ(add(u"000001"_s), 0);
    EXPECT_EQ(prompter.count(Kind::Error), 1);

    DBExecute(u"DROP TABLE customer"_s);
    EXPECT_THROW(CustomerStore::load(u"000001"_s), DbError);
    EXPECT_THROW(CustomerStore::nameTaken(u"가"_s, {}), DbError);
    CustomerRecord c;
    c.code = u"000001"_s;
    EXPECT_EQ(CustomerStore::update(c, false), 0);
}

TEST_F(CustomerStoreFixture, WritesListTheirColumnsInTheirFixedOrder)
{
    CustomerRecord c;
    c.code = u"000001"_s;
    c.compname = u"가'"_s;
    c.taxmode = 2;
    c.zipcode = u"12345-678"_s;
    c.basemoney = 100;
    c.hidden = true;
    c.serialnumber = u"S1"_s;
    SqlLog::start(1);
    ASSERT_EQ(CustomerStore::insert(c, true), 1);
    c.basemoney = 150.5;
    ASSERT_EQ(CustomerStore::update(c, false), 1);
    SqlLog::start(0);
    QFile log(SqlLog::dailyFile());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(log.readAll());
    const QString today = Clock::today().toString(u"yyyy-MM-dd"_s);
    EXPECT_TRUE(written.contains(
        u"INSERT INTO customer (code, compname, compalias, ceoname, compsn, telno1, telno2, telno3, telno4, fax, hpno, "
        u"charge, taxmode, zipcode, addr1, addr2, status, item, regdate, basemoney, nowmoney, bigo, hidden, email, "
        u"modelname, agency, giftname, setupuser, buydate, serialnumber) VALUES ('000001', '가''', '', '', '', '', '', "
        u"'', '', '', '', '', 2, '12345-6', '', '', '', '', '"_s
        + today + u"', 100, 100, '', 1, '', '', '', '', '', '', 'S1')"_s))
        << written.toStdString();
    EXPECT_TRUE(written.contains(
        u"UPDATE customer SET compname = '가''', compalias = '', ceoname = '', compsn = '', telno1 = '', telno2 = '', "
        u"telno3 = '', telno4 = '', fax = '', hpno = '', charge = '', taxmode = 2, zipcode = '12345-6', addr1 = '', "
        u"addr2 = '', status = '', item = '', nowmoney = nowmoney - basemoney + 150.5, basemoney = 150.5, bigo = '', "
        u"hidden = 1, email = '', modelname = '' WHERE code = '000001'"_s))
        << written.toStdString();
}
