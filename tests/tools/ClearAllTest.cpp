#include "AppState.h"
#include "FrmTool_ClearAll.h"
#include "SampleDataGenerator.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

using Kind = ScriptedPrompter::Kind;

const QStringList kSlipTables{u"sale"_s, u"receive"_s, u"aslist_m"_s, u"aslist_d"_s};

class ClearAll : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SampleDataGenerator(5, QDate(2026, 11, 30)).generate(SampleDataGenerator::Size::demo()));
        DBExecute(u"UPDATE local_user SET loginpwd = 'secret' WHERE loginid = 'ADMIN'"_s);
        DBExecute(u"INSERT INTO ascode (pcode, part, name) SELECT code, 1, '전원불량' FROM product WHERE code <> '000000' LIMIT 3"_s);
        // AS codes of no product, which stay whatever is ticked.
        m_generalCodes = DBRecordCount(u"ascode"_s, u"pcode = '000000'"_s);
        App().UserCode = u"00"_s;
    }

    void run(const QString& password, bool customers, bool products)
    {
        const QList<QCheckBox*> items = m_window.findChildren<QCheckBox*>(u"chkDelItem"_s);
        items[0]->setChecked(customers);
        items[1]->setChecked(products);
        m_window.findChild<QLineEdit*>(u"txtPassword"_s)->setText(password);
        asv::test::click(m_window, u"btnDelete"_s);
    }

    long slips() const
    {
        long n = 0;
        for (const QString& table : kSlipTables)
            n += DBRecordCount(table);
        return n;
    }

    TestDatabase m_db;
    ScriptedPrompter m_prompter;
    FrmTool_ClearAll m_window;
    long m_generalCodes = 0;
};

} // namespace

TEST_F(ClearAll, OnlyTheAdministratorIsAskedNothingTickedKeepsTheMastersAndTickedOnesGo)
{
    const long customers = DBRecordCount(u"customer"_s);
    const long products = DBRecordCount(u"product"_s);
    const long codes = DBRecordCount(u"ascode"_s);
    ASSERT_GT(slips(), 0);
    ASSERT_GT(DBRecordCount(u"customer"_s, u"nowmoney <> 0 OR basemoney <> 0"_s), 0);
    App().UserCode = u"01"_s;
    run(u"secret"_s, false, false);
    App().UserCode = u"00"_s;
    run(u"wrong"_s, false, false);
    // The question's default is No.
    m_prompter.pressEnter();
    run(u"secret"_s, false, false);
    EXPECT_EQ(m_prompter.texts(Kind::Info),
              (QStringList{u"이 기능은 관리자(ADMIN)로 로그인한 경우만 처리가능합니다.\r\n관리자로 로그인후 다시 시도 하세요."_s,
                           u"관리자암호가 일치하지 않습니다."_s}));
    EXPECT_EQ(m_prompter.count(Kind::YesNo), 1);
    EXPECT_GT(slips(), 0);

    m_prompter.clear();
    m_prompter.answer(MsgAnswer::Yes);
    run(u"secret"_s, false, false);
    EXPECT_EQ(m_prompter.texts(Kind::Info), QStringList{u"삭제가 완료되었습니다."_s});
    EXPECT_EQ(slips(), 0);
    EXPECT_EQ(DBRecordCount(u"customer"_s), customers);
    EXPECT_EQ(DBRecordCount(u"customer"_s, u"nowmoney <> 0 OR basemoney <> 0"_s), 0);
    EXPECT_EQ(DBRecordCount(u"product"_s), products);
    EXPECT_EQ(DBRecordCount(u"ascode"_s), codes);
    const auto* bar = m_window.findChild<QProgressBar*>(u"pgbDelete"_s);
    EXPECT_EQ(bar->maximum(), 8);
    EXPECT_EQ(bar->value(), 5);

    // Ticked masters go, except the reserved product and the AS codes of no product.
    ASSERT_GT(DBRecordCount(u"ascode"_s, u"pcode <> '000000'"_s), 0);
    m_prompter.answer(MsgAnswer::Yes);
    run(u"secret"_s, true, true);
    EXPECT_EQ(DBRecordCount(u"customer"_s), 0);
    EXPECT_EQ(DBGetValue(u"SELECT GROUP_CONCAT(code) FROM product"_s), u"000000"_s);
    EXPECT_EQ(DBRecordCount(u"ascode"_s), m_generalCodes);
    EXPECT_EQ(bar->value(), 8);
}
