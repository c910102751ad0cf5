#include "CallIntake.h"
#include "CallListRules.h"
#include "ConsultStore.h"
#include "CustomerStore.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

const QDateTime kMorning(QDate(2026, 3, 2), QTime(9, 5));

struct IntakeFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;
    CallIntake intake{*DBConnection(0)};

    static void addCustomer(const QString& code, const QString& telno1, const QString& telno2 = {},
                            const QString& hpno = {})
    {
        CustomerRecord c;
        c.code = code;
        c.compname = u"고객"_s + code;
        c.telno1 = telno1;
        c.telno2 = telno2;
        c.hpno = hpno;
        c.charge = u"00"_s;
        ASSERT_EQ(CustomerStore::insert(c, false), 1);
    }
    static QString value(const QString& sql) { return DBGetValue(sql); }
};

QList<CallerKey> keys(std::initializer_list<std::pair<const char16_t*, const char16_t*>> rows)
{
    QList<CallerKey> out;
    for (const auto& [ccode, number] : rows)
        out.append({QString::fromUtf16(ccode), QString::fromUtf16(number)});
    return out;
}

} // namespace

TEST(CallListRules, CountsFollowTheCustomerWhenLinkedElseTheNumberSuffixIgnored)
{
    EXPECT_EQ(WithCallCount(u"02-123-4567"_s, 10), u"02-123-4567(10)"_s);
    EXPECT_EQ(WithoutCallCount(u"02-123-4567(10)"_s), u"02-123-4567"_s);
    EXPECT_EQ(WithoutCallCount(u"1588-1234"_s), u"1588-1234"_s);
    EXPECT_EQ(WithoutCallCount(u"(02)123-4567"_s), u"(02)123-4567"_s);

    QList<CallerKey> ten;
    for (int i = 0; i < 10; ++i)
        ten.append({{}, i % 2 ? u"02-123-4567(3)"_s : u"02-123-4567"_s});
    EXPECT_EQ(CallCounts(ten), QList<int>({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));

    // The customer called from two numbers; an unlinked call of one of them counts by number.
    const QList<CallerKey> mixed = keys({{u"000001", u"02-111-1111"},
                                         {u"", u"02-222-2222"},
                                         {u"000001", u"02-222-2222"},
                                         {u"000001", u"02-111-1111"},
                                         {u"", u"031-333-3333"}});
    EXPECT_EQ(CallCounts(mixed), QList<int>({3, 2, 2, 1, 1}));
}

TEST_F(IntakeFixture, CustomerIsTheFirstRowWithTheNumberOnAnyLandLineNeverTheMobile)
{
    addCustomer(u"000001"_s, u"02-555-0001"_s, u"02-123-4567"_s);
    addCustomer(u"000002"_s, u"02-123-4567"_s);
    addCustomer(u"000003"_s, u"02-555-0003"_s, {}, u"010-1234-5678"_s);
    const QString first = value(u"SELECT code FROM customer WHERE telno1 = '02-123-4567' OR telno2 = '02-123-4567' "
                                u"OR telno3 = '02-123-4567' OR telno4 = '02-123-4567'"_s);

    const CallIntake::Call linked = intake.record(u"02-123-4567"_s, true, kMorning);
    ASSERT_TRUE(linked.customer);
    EXPECT_EQ(linked.customer->code, first);
    EXPECT_EQ(linked.name, u"고객"_s + first);
    EXPECT_EQ(value(u"SELECT CONCAT_WS('|', ccode, cname, condate, contime, state) FROM rsvconsult WHERE code = "_s
                    + QString::number(linked.code)),
              first + u"|고객"_s + first + u"|2026-03-02|09:05|0"_s);

    const CallIntake::Call mobile = intake.record(u"010-1234-5678"_s, true, kMorning);
    EXPECT_FALSE(mobile.customer);
    EXPECT_EQ(value(u"SELECT ccode FROM rsvconsult WHERE code = "_s + QString::number(mobile.code)), QString());
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(IntakeFixture, AnAnnouncedCallStoresNothingAndAKnownNumberBringsItsName)
{
    addCustomer(u"000001"_s, u"02-123-4567"_s);
    const CallIntake::Call announced = intake.record(u"02-123-4567"_s, false, kMorning);
    EXPECT_EQ(announced.code, 0u);
    EXPECT_EQ(announced.name, u"고객000001"_s);
    EXPECT_EQ(DBRecordCount(u"rsvconsult"_s), 0);

    const CallIntake::Call first = intake.record(u"031-777-8888"_s, true, kMorning);
    ASSERT_GT(first.code, 0u);
    ASSERT_EQ(ConsultStore::renameCaller(u"031-777-8888"_s, u"김철수"_s), 1);
    EXPECT_EQ(intake.record(u"031-777-8888"_s, false, kMorning).name, u"김철수"_s);
    const CallIntake::Call again = intake.record(u"031-777-8888"_s, true, kMorning.addDays(1));
    EXPECT_EQ(value(u"SELECT cname FROM rsvconsult WHERE code = "_s + QString::number(again.code)), u"김철수"_s);
}

TEST_F(IntakeFixture, RefusalsAreDecidedOnTheCanonicalTextAndRecordNothing)
{
    EXPECT_EQ(intake.record({}, true, kMorning).refusal, CallIntake::Refusal::Empty);
    EXPECT_EQ(intake.record(u"( -  ) -"_s, true, kMorning).refusal, CallIntake::Refusal::Empty);
    // Sixteen digits are refused; the brackets and blanks of a typed number are not counted.
    EXPECT_EQ(intake.record(u"0212345678901234"_s, true, kMorning).refusal, CallIntake::Refusal::TooLong);
    EXPECT_EQ(DBRecordCount(u"rsvconsult"_s), 0);
    const CallIntake::Call typed = intake.record(u"(02) 1234 - 567890"_s, true, kMorning);
    EXPECT_EQ(typed.refusal, CallIntake::Refusal::None);
    EXPECT_EQ(typed.number, u"02-123456-7890"_s);
    EXPECT_EQ(DBRecordCount(u"rsvconsult"_s), 1);
}

// Older servers made these text columns without a default; strict mode then refuses an insert
// that leaves them out.
TEST_F(IntakeFixture, CallsAreStoredInAnOlderTableUnderStrictMode)
{
    DBExecute(u"ALTER TABLE rsvconsult MODIFY pname text NOT NULL, MODIFY refernote text NOT NULL, "
              u"MODIFY connote text NOT NULL"_s);
    DBExecute(u"SET SESSION sql_mode = 'STRICT_ALL_TABLES'"_s);
    ASSERT_FALSE(DBLastFailed());
    addCustomer(u"000001"_s, u"02-123-4567"_s);

    const CallIntake::Call call = intake.record(u"02-123-4567"_s, true, kMorning);
    EXPECT_GT(call.code, 0u);
    EXPECT_EQ(value(u"SELECT ccode FROM rsvconsult WHERE code = "_s + QString::number(call.code)), u"000001"_s);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(IntakeFixture, RenamingAnUnknownCallerReachesEveryDayButLeavesOtherNumbers)
{
    intake.record(u"031-777-8888"_s, true, kMorning.addDays(-30));
    intake.record(u"031-777-8888"_s, true, kMorning);
    intake.record(u"031-777-9999"_s, true, kMorning);
    EXPECT_EQ(ConsultStore::renameCaller(u"031-777-8888"_s, u"박영희"_s), 2);
    EXPECT_EQ(value(u"SELECT GROUP_CONCAT(cname ORDER BY code) FROM rsvconsult"_s), u"박영희,박영희,"_s);
}

TEST_F(IntakeFixture, TheCallerPanelReadsBalanceOpenJobsAndLastSaleAtOnce)
{
    addCustomer(u"000001"_s, u"02-123-4567"_s);
    DBExecute(u"UPDATE customer SET nowmoney = 15000 WHERE code = '000001'"_s);
    DBExecute(u"INSERT INTO aslist_m (ccode, state) VALUES ('000001', 0), ('000001', 0), ('000001', 1), ('000002', 0)"_s);
    DBExecute(u"INSERT INTO sale (ccode, dealdate, pname) VALUES ('000001', '2026-01-05', '정수기'), "
              u"('000001', '2026-02-10', '필터'), ('000002', '2026-03-01', '남의 것')"_s);

    const auto caller = ConsultStore::caller(u"000001"_s);
    ASSERT_TRUE(caller);
    EXPECT_EQ(caller->customer.nowmoney, 15000);
    EXPECT_EQ(caller->openAsJobs, 2);
    EXPECT_EQ(caller->lastSale, u"2026-02-10 필터"_s);
    EXPECT_FALSE(ConsultStore::caller(u"000009"_s));
}
