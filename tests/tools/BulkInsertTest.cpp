#include "BulkInsert.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

TEST(BulkInsert, RowsArriveWhateverTheirTextAndBatchingAndAFailureIsShownAndRemembered)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    const QStringList names{u"it's"_s, u"a\\b"_s, u"(주)한빛전자"_s, u"cut"_s + QChar(u'\0') + u"here"_s, u""_s};
    BulkInsert insert(u"pclass"_s, u"code, name"_s, 2);
    for (int i = 0; i < names.size(); ++i)
        insert.text(QString::number(i + 1).rightJustified(4, u'0')).text(names[i]).endRow();
    // Two full statements went out on their own; the fifth row waits for flush.
    EXPECT_EQ(DBRecordCount(u"pclass"_s), 4);
    ASSERT_TRUE(insert.flush());
    EXPECT_EQ(insert.rowCount(), 5);

    RecordSetPtr rs;
    ASSERT_EQ(DBOpenRS(rs, u"SELECT name FROM pclass ORDER BY code"_s), 5);
    EXPECT_EQ(rs->value(0, 0), u"it's"_s);
    EXPECT_EQ(rs->value(1, 0), u"a\\b"_s);
    EXPECT_EQ(rs->value(2, 0), u"(주)한빛전자"_s);
    EXPECT_EQ(rs->value(3, 0), u"cut"_s);
    EXPECT_EQ(rs->value(4, 0), QString());
    EXPECT_TRUE(prompter.messages().isEmpty());

    // A failed statement is shown, and later rows do not clear the failure.
    BulkInsert sales(u"sale"_s, u"ccode, qnt"_s);
    sales.text(u"000001").number(-5).endRow();
    sales.text(u"000002").number(123456789012345).endRow();
    EXPECT_FALSE(sales.flush());
    EXPECT_TRUE(sales.failed());
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 1);
    EXPECT_EQ(DBRecordCount(u"sale"_s), 0);
    sales.text(u"000004").number(1).endRow();
    EXPECT_FALSE(sales.flush());
    EXPECT_EQ(DBRecordCount(u"sale"_s), 1);
}
