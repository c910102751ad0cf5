#include "PClassStore.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

struct PClassStoreFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    static void addProduct(const QString& code, const QString& classname)
    {
        DBExecute(u"INSERT INTO product (code, name, classname) VALUES ('%1', '상품', '%2')"_s.arg(code,
                                                                                                 SQLQuote(classname)));
    }
    static QString classOf(const QString& code)
    {
        return DBGetValue(u"SELECT classname FROM product WHERE code = '"_s + code + u'\'');
    }
};

const QString kInUse =
    u"선택된 분류에 속하는 상품이 존재하므로 삭제할 수 없습니다.\r\n\r\n상품을 먼저 삭제해 주세요."_s;

} // namespace

TEST_F(PClassStoreFixture, CodesAreNumberedAndTheListIsInNameOrder)
{
    EXPECT_EQ(PClassStore::insert(u"공구"_s), u"0001"_s);
    EXPECT_EQ(PClassStore::insert(u"가전 '똠' \\"_s), u"0002"_s);
    DBExecute(u"INSERT INTO pclass (code, name) VALUES ('0041', '잡화')"_s);
    EXPECT_EQ(PClassStore::insert(u"나사"_s), u"0042"_s);
    EXPECT_EQ(PClassStore::list(), (QList<PClassRecord>{{u"0002"_s, u"가전 '똠' \\"_s},
                                                        {u"0001"_s, u"공구"_s},
                                                        {u"0042"_s, u"나사"_s},
                                                        {u"0041"_s, u"잡화"_s}}));
    EXPECT_EQ(PClassStore::names(), QStringList({u"가전 '똠' \\"_s, u"공구"_s, u"나사"_s, u"잡화"_s}));
}

TEST_F(PClassStoreFixture, RenameMovesTheClassProductsAndNoOthers)
{
    const QString tools = PClassStore::insert(u"공구"_s);
    PClassStore::insert(u"가전"_s);
    addProduct(u"000001"_s, u"공구"_s);
    addProduct(u"000002"_s, u"공구"_s);
    addProduct(u"000003"_s, u"가전"_s);

    EXPECT_TRUE(PClassStore::rename(tools, u"공구"_s, u"수공구 '\\"_s));
    EXPECT_EQ(classOf(u"000001"_s), u"수공구 '\\"_s);
    EXPECT_EQ(classOf(u"000002"_s), u"수공구 '\\"_s);
    EXPECT_EQ(classOf(u"000003"_s), u"가전"_s);

    // A class that is gone, or a name the code page cannot hold, moves nothing.
    EXPECT_FALSE(PClassStore::rename(u"0099"_s, u"가전"_s, u"생활가전"_s));
    EXPECT_FALSE(PClassStore::rename(tools, u"수공구 '\\"_s, u"공구 😀"_s));
    EXPECT_EQ(classOf(u"000003"_s), u"가전"_s);
    EXPECT_EQ(classOf(u"000001"_s), u"수공구 '\\"_s);
    EXPECT_EQ(PClassStore::names(), QStringList({u"가전"_s, u"수공구 '\\"_s}));
}

TEST_F(PClassStoreFixture, DeleteKeepsTheLastClassAndClassesWithProducts)
{
    const QString tools = PClassStore::insert(u"공구"_s);
    EXPECT_TRUE(PClassStore::lastClassLeft());
    EXPECT_EQ(prompter.texts(), QStringList{u"삭제불가!\r\n최소 1개의 분류는 있어야 합니다."_s});

    const QString home = PClassStore::insert(u"가전"_s);
    addProduct(u"000001"_s, u"가전"_s);
    prompter.clear();
    EXPECT_FALSE(PClassStore::lastClassLeft());
    EXPECT_FALSE(PClassStore::remove({home, u"가전"_s}));
    EXPECT_EQ(prompter.texts(), QStringList{kInUse});
    EXPECT_TRUE(PClassStore::remove({tools, u"공구"_s}));
    EXPECT_EQ(PClassStore::names(), QStringList{u"가전"_s});
    EXPECT_FALSE(PClassStore::remove({tools, u"공구"_s}));
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Warn), 1);
}
