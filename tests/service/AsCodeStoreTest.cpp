#include "AsCodeStore.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using Kind = ScriptedPrompter::Kind;

namespace {

struct AsCodeStoreFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    static QStringList names(const QString& pcode, int part)
    {
        QStringList shown;
        for (const AsCodeRecord& c : AsCodeStore::list(pcode, part))
            shown << u"%1 %2 %3"_s.arg(QString::number(c.code), c.name, QString::number(c.amount));
        return shown;
    }
};

} // namespace

TEST_F(AsCodeStoreFixture, EachListHoldsOneProductsCodesOfOneKindInNameOrder)
{
    const int general = AsCodeStore::insert(u"000000"_s, AsCodeRecord::Reception, u"일반"_s, 0);
    const int noise = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Reception, u"소음"_s, 5000);
    const int cause = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Cause, u"낙하"_s, 0);
    const int dead = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Reception, u"고장 '똠' \\"_s, 1234.5);
    ASSERT_GT(general, 0);
    EXPECT_EQ(noise, general + 1);
    EXPECT_EQ(names(u"000001"_s, AsCodeRecord::Reception),
              QStringList({u"%1 고장 '똠' \\ 1234.5"_s.arg(dead), u"%1 소음 5000"_s.arg(noise)}));
    EXPECT_EQ(names(u"000001"_s, AsCodeRecord::Cause), QStringList{u"%1 낙하 0"_s.arg(cause)});
    EXPECT_TRUE(names(u"000001"_s, AsCodeRecord::Result).isEmpty());
    EXPECT_EQ(names(u"000000"_s, AsCodeRecord::Reception), QStringList{u"%1 일반 0"_s.arg(general)});

    const int consult = AsCodeStore::insertConsultClass(u"문의"_s);
    EXPECT_EQ(names(u"000000"_s, AsCodeRecord::ConsultClass), QStringList{u"%1 문의 0"_s.arg(consult)});

    EXPECT_EQ(AsCodeStore::offeredCondition(1, u"000001"_s), u"part = 1 AND pcode IN ('000000','000001')"_s);
    EXPECT_EQ(AsCodeStore::offeredCondition(0, {}), u"part = 0 AND pcode = '000000'"_s);
}

TEST_F(AsCodeStoreFixture, AnAmountTypedFirstMakesTheCodeThatTheNameThenCompletes)
{
    const int code = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Result, {}, 3000);
    ASSERT_GT(code, 0);
    EXPECT_TRUE(AsCodeStore::rename(code, u"부품 교체"_s));
    EXPECT_TRUE(AsCodeStore::setAmount(code, 3500.75));
    EXPECT_EQ(names(u"000001"_s, AsCodeRecord::Result), QStringList{u"%1 부품 교체 3500.75"_s.arg(code)});

    // Not stored: a code that is gone, or text the code page cannot hold.
    EXPECT_FALSE(AsCodeStore::rename(code + 1, u"없음"_s));
    EXPECT_FALSE(AsCodeStore::rename(code, u"교체 😀"_s));
    EXPECT_EQ(AsCodeStore::insert(u"000001"_s, AsCodeRecord::Result, u"😀"_s, 0), 0);
    EXPECT_EQ(names(u"000001"_s, AsCodeRecord::Result), QStringList{u"%1 부품 교체 3500.75"_s.arg(code)});
}

TEST_F(AsCodeStoreFixture, CodesInUseByJobsOfTheirKindOrByConsultationsAreKept)
{
    const int reception = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Reception, u"접수"_s, 0);
    const int cause = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Cause, u"원인"_s, 0);
    const int result = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Result, u"결과"_s, 0);
    const int consult = AsCodeStore::insertConsultClass(u"상담"_s);
    const int unused = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Cause, u"미사용"_s, 0);
    DBExecute(u"INSERT INTO aslist_m (typecode0) VALUES (%1)"_s.arg(reception));
    DBExecute(u"INSERT INTO aslist_d (code, seq, typecode1, typecode2) VALUES (1, 1, %1, %2)"_s.arg(cause).arg(result));
    DBExecute(u"INSERT INTO rsvconsult (concode) VALUES (%1)"_s.arg(consult));
    // The number of another kind's code in a job column does not hold this one.
    DBExecute(u"INSERT INTO aslist_m (typecode0) VALUES (%1)"_s.arg(unused));
    ASSERT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();

    const QString inUse =
        u"선택된 분류에 속하는 상품이 존재하므로 삭제할 수 없습니다.\r\n\r\n상품을 먼저 삭제해 주세요."_s;
    EXPECT_FALSE(AsCodeStore::remove(reception, AsCodeRecord::Reception));
    EXPECT_FALSE(AsCodeStore::remove(cause, AsCodeRecord::Cause));
    EXPECT_FALSE(AsCodeStore::remove(result, AsCodeRecord::Result));
    EXPECT_FALSE(AsCodeStore::remove(consult, AsCodeRecord::ConsultClass));
    EXPECT_FALSE(AsCodeStore::remove(0, AsCodeRecord::Cause));
    EXPECT_EQ(prompter.texts(), QStringList({inUse, inUse, inUse,
                                             u"해당 데이터가 「상담내역」에서 사용중이기 때문에 삭제할 수 없습니다."_s,
                                             u"먼저 그리드에서 삭제할 자료를 선택하세요."_s}));
    EXPECT_EQ(DBRecordCount(u"ascode"_s), 5);

    prompter.clear();
    EXPECT_TRUE(AsCodeStore::remove(unused, AsCodeRecord::Cause));
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_FALSE(AsCodeStore::remove(unused, AsCodeRecord::Cause));
    EXPECT_EQ(prompter.count(Kind::Warn), 1);
}
