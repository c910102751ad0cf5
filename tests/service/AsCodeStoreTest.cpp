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

// Listing by product, kind and name goes through the code window; here what the window does not reach.
TEST_F(AsCodeStoreFixture, AmountsKeepFractionsConsultClassesAreGeneralAndCodesInUseAreKept)
{
    const int reception = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Reception, u"접수"_s, 1234.5);
    const int cause = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Cause, u"원인"_s, 0);
    const int result = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Result, u"결과"_s, 0);
    const int consult = AsCodeStore::insertConsultClass(u"상담"_s);
    const int unused = AsCodeStore::insert(u"000001"_s, AsCodeRecord::Cause, u"미사용"_s, 0);
    EXPECT_TRUE(AsCodeStore::setAmount(result, 3500.75));
    EXPECT_FALSE(AsCodeStore::rename(unused + 1, u"없음"_s));
    EXPECT_EQ(names(u"000001"_s, AsCodeRecord::Reception), QStringList{u"%1 접수 1234.5"_s.arg(reception)});
    EXPECT_EQ(names(u"000001"_s, AsCodeRecord::Result), QStringList{u"%1 결과 3500.75"_s.arg(result)});
    EXPECT_EQ(names(u"000000"_s, AsCodeRecord::ConsultClass), QStringList{u"%1 상담 0"_s.arg(consult)});

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
