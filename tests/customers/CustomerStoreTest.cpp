#include "AsJobStore.h"
#include "CustomerBalance.h"
#include "CustomerRules.h"
#include "CustomerStore.h"
#include "DbError.h"
#include "ReceiveStore.h"
#include "SaleStore.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

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
        return CustomerStore().insert(c, false);
    }
};

} // namespace

TEST(CustomerRules, ShortNameLeavesOutCompanyMarksAndZipcodesFitSevenBytes)
{
    // Only these three marks; other brackets are part of the name, and a name that is nothing but
    // marks stands for itself.
    const QList<std::pair<QString, QString>> names{
        {u"(주)한빛상사"_s, u"한빛상사"_s}, {u"한빛상사(주)"_s, u"한빛상사"_s}, {u"㈜한빛"_s, u"한빛"_s},
        {u"(유)대성"_s, u"대성"_s},         {u"(주) 한빛"_s, u"한빛"_s},         {u"한빛(주)상사(유)"_s, u"한빛상사"_s},
        {u"(주)(주)미래"_s, u"미래"_s},     {u"(주)"_s, u"(주)"_s},              {u"㈜ (유)"_s, u"㈜ (유)"_s},
        {QString(), QString()},             {u"(株)동양"_s, u"(株)동양"_s},      {u"(사)복지회"_s, u"(사)복지회"_s},
    };
    for (const auto& [name, alias] : names)
        EXPECT_EQ(ShortNameOf(name), alias) << name.toStdString();

    // Hangul counts two bytes and is never cut in half.
    const QList<std::pair<QString, QString>> zipcodes{{u"06236"_s, u"06236"_s},
                                                      {u"12345-678"_s, u"12345-6"_s},
                                                      {u"우편123"_s, u"우편123"_s},
                                                      {u"우편번호1"_s, u"우편번"_s}};
    for (const auto& [typed, stored] : zipcodes)
        EXPECT_EQ(ZipcodeForStorage(typed), stored);
    EXPECT_TRUE(ZipcodeEnterSearches(u"06236"_s, QString()));
    EXPECT_FALSE(ZipcodeEnterSearches(u"06236"_s, u"서울 강남구"_s));
    EXPECT_FALSE(ZipcodeEnterSearches(u"  "_s, QString()));
}

// A customer still named by a document keeps its row: a job or charge left without its customer
// would drop out of every list while it stays in the balance.
TEST_F(CustomerStoreFixture, DeleteIsRefusedWhileADocumentRefersToTheCustomer)
{
    for (const QString& code : {u"000001"_s, u"000002"_s, u"000003"_s, u"000004"_s, u"000005"_s})
        ASSERT_EQ(add(code), 1);
    DBExecute(u"INSERT INTO sale (ccode) VALUES ('000001')"_s);
    DBExecute(u"INSERT INTO receive (ccode) VALUES ('000001'), ('000002')"_s);
    DBExecute(u"INSERT INTO rsvconsult (ccode) VALUES ('000003')"_s);
    DBExecute(u"INSERT INTO aslist_m (ccode) VALUES ('000004 ')"_s);
    ASSERT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();

    const QString used = u"해당 데이터가 「%1」에서 사용중이기 때문에 삭제할 수 없습니다."_s;
    for (const QString& code : {u"000001"_s, u"000002"_s, u"000003"_s, u"000004"_s})
        EXPECT_FALSE(CustomerStore().remove(code));
    // Sales come first; one message per refusal.
    EXPECT_EQ(prompter.texts(), QStringList({used.arg(u"매출전표(샘플출고)"_s), used.arg(u"입금전표"_s),
                                             used.arg(u"상담내역"_s), used.arg(u"AS 내역"_s)}));
    EXPECT_EQ(DBRecordCount(u"customer"_s), 5);

    prompter.clear();
    EXPECT_TRUE(CustomerStore().remove(u"000005"_s));
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_FALSE(CustomerStore().codeExists(u"000005"_s));

    EXPECT_FALSE(CustomerStore().remove(u"000005"_s));
    EXPECT_EQ(prompter.texts(Kind::Warn),
              QStringList{u"자료를 삭제 할 수 없습니다.\r\n\r\n이미 삭제되었거나, 삭제할 수 없는 경우가 발생했습니다."_s});
}

TEST_F(CustomerStoreFixture, TelephoneTestCoversAllNumbersLiterallyAndFailedStatementsAreNeverReportedAsDone)
{
    ASSERT_EQ(add(u"000001"_s, u"0212345678"_s, u"010-1234-5678"_s), 1);
    DBExecute(u"UPDATE customer SET telno3 = '031-111-2222' WHERE code = '000001'"_s);
    EXPECT_EQ(CustomerStore().telephoneCount(u"0212345678"_s, {}), 1);
    EXPECT_EQ(CustomerStore().telephoneCount(u"02-1234-5678"_s, {}), 0);
    EXPECT_EQ(CustomerStore().telephoneCount(u"031-111-2222"_s, {}), 1);
    EXPECT_EQ(CustomerStore().telephoneCount(u"010-1234-5678"_s, {}), 1);
    // Not the record itself.
    EXPECT_EQ(CustomerStore().telephoneCount(u"010-1234-5678"_s, u"000001"_s), 0);
    EXPECT_EQ(CustomerStore().telephoneCount(u"x' OR '1'='1"_s, {}), 0);

    EXPECT_EQ(add(u"000001"_s), 0);
    EXPECT_EQ(prompter.count(Kind::Error), 1);
    DBExecute(u"DROP TABLE customer"_s);
    EXPECT_THROW(CustomerStore().load(u"000001"_s), DbError);
    EXPECT_THROW(CustomerStore().nameTaken(u"가"_s, {}), DbError);
    CustomerRecord c;
    c.code = u"000001"_s;
    EXPECT_EQ(CustomerStore().update(c, false), 0);
}

// Every document moves the balance through this one statement, so its rounding is every document's.
TEST_F(CustomerStoreFixture, BalanceMovesByAmountsRoundedToTheColumnAndAFailedMoveIsNotDone)
{
    ASSERT_EQ(add(u"000001"_s), 1);
    CustomerBalance balance;
    EXPECT_TRUE(balance.move(u"000001"_s, 2500.1234));
    EXPECT_TRUE(balance.move(u"000001"_s, -0.1234));
    EXPECT_TRUE(balance.move(u"000001"_s, 1.0 / 3));
    EXPECT_TRUE(balance.move(u"000001"_s, 0.1 + 0.2 - 0.3)); // binary noise only: nothing to move
    EXPECT_EQ(DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '000001'"_s), u"2500.3333"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());

    DBExecute(u"DROP TABLE customer"_s, true);
    prompter.clear();
    EXPECT_TRUE(balance.move(u"000001"_s, 0)); // nothing is sent for 0
    EXPECT_FALSE(balance.move(u"000001"_s, 1));
}

// A store given another connection works there alone: while that connection's transaction is
// open, the program's own connection neither sees the customer nor counts its code.
// A desk storing a sale locks the customer first; a delete asked meanwhile waits for it and then
// finds the sale, instead of leaving it without its customer.
TEST_F(CustomerStoreFixture, ACustomerDeletedWhileAnotherDeskStoresItsFirstSaleIsKept)
{
    ASSERT_EQ(add(u"000701"_s), 1);
    const std::unique_ptr<cMySQL> selling = DBConnection(0)->connectAnother();
    const std::unique_ptr<cMySQL> deleting = DBConnection(0)->connectAnother();
    selling->query(u"START TRANSACTION"_s, false);
    selling->query(u"SELECT code FROM customer WHERE code = '000701' FOR UPDATE"_s, false);
    selling->query(u"INSERT INTO sale (ccode, pcode, dealdate, total) VALUES ('000701', '', '2026-12-07', 1100)"_s, false);
    bool removed = true;
    std::thread remove([&] { removed = CustomerStore(deleting.get()).remove(u"000701"_s); });
    QThread::msleep(300);
    selling->query(u"COMMIT"_s, false);
    remove.join();

    EXPECT_FALSE(removed);
    EXPECT_TRUE(CustomerStore().codeExists(u"000701"_s));
    EXPECT_TRUE(prompter.texts().value(0).contains(u"매출전표"_s)) << prompter.texts().join(u'\n').toStdString();
}

// The other way round: a document stored while the customer's delete is under way waits for it and
// is then refused, instead of being stored for a customer that is gone.
TEST_F(CustomerStoreFixture, ASaleAPaymentOrAJobStoredForACustomerBeingDeletedIsRefused)
{
    const std::unique_ptr<cMySQL> writing = DBConnection(0)->connectAnother();
    const std::unique_ptr<cMySQL> deleting = DBConnection(0)->connectAnother();
    const std::vector<std::pair<const char*, std::function<int(const QString&)>>> documents{
        {"sale",
         [&](const QString& ccode) {
             SaleLine line;
             line.ccode = ccode;
             line.dealdate = u"2026-12-07"_s;
             line.total = 1100;
             return SaleStore(writing.get()).insert(line);
         }},
        {"payment",
         [&](const QString& ccode) {
             ReceiveRecord payment;
             payment.ccode = ccode;
             payment.dealdate = u"2026-12-07"_s;
             payment.amount = 5000;
             return ReceiveStore(writing.get()).insert(payment);
         }},
        {"AS job",
         [&](const QString& ccode) {
             AsJobRecord job;
             job.ccode = ccode;
             job.dealdate = u"2026-12-07"_s;
             return AsJobStore(writing.get()).insert(job);
         }},
    };
    int n = 710;
    for (const auto& [kind, store] : documents) {
        SCOPED_TRACE(kind);
        const QString code = u"000%1"_s.arg(++n);
        ASSERT_EQ(add(code), 1);
        deleting->query(u"START TRANSACTION"_s, false);
        deleting->query(u"SELECT code FROM customer WHERE code = '"_s + code + u"' FOR UPDATE"_s, false);
        int stored = -1;
        std::thread write([&] { stored = store(code); });
        QThread::msleep(300);
        deleting->query(u"DELETE FROM customer WHERE code = '"_s + code + u"'"_s, false);
        deleting->query(u"COMMIT"_s, false);
        write.join();
        EXPECT_EQ(stored, 0);
        for (const char* table : {"sale", "receive", "aslist_m"})
            EXPECT_EQ(DBRecordCount(QString::fromLatin1(table), u"ccode = '"_s + code + u"'"_s), 0) << table;
    }
}

TEST_F(CustomerStoreFixture, AStoreOnASecondConnectionWritesWhatTheMainOneReadsOnceCommitted)
{
    const std::unique_ptr<cMySQL> own = DBConnection(0)->connectAnother();
    CustomerStore second(own.get());
    CustomerStore main;
    own->query(u"START TRANSACTION"_s, false);
    CustomerRecord c;
    c.code = second.nextCode();
    c.compname = c.compalias = u"둘째 연결"_s;
    c.basemoney = 1500;
    ASSERT_EQ(second.insert(c, false), 1);
    EXPECT_TRUE(second.codeExists(c.code));
    EXPECT_NE(second.nextCode(), c.code);
    EXPECT_FALSE(main.codeExists(c.code));
    EXPECT_EQ(main.nextCode(), c.code);
    // Its delete guard asks there too: the sale written on it holds the customer.
    own->query(u"INSERT INTO sale (ccode, pcode, dealdate) VALUES ('"_s + c.code + u"', '', '2026-12-07')"_s, false);
    EXPECT_FALSE(second.remove(c.code));
    EXPECT_TRUE(second.codeExists(c.code));
    EXPECT_TRUE(prompter.texts().value(0).contains(u"매출전표"_s)) << prompter.texts().join(u'\n').toStdString();
    prompter.clear();

    own->query(u"COMMIT"_s, false);
    const std::optional<CustomerRecord> stored = main.load(c.code);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->compname, u"둘째 연결"_s);
    EXPECT_EQ(stored->nowmoney, 1500);
    EXPECT_TRUE(prompter.messages().isEmpty());
}
