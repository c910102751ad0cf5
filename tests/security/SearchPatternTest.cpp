#include "ScriptedPrompter.h"
#include "StoreSql.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

// A backslash typed into a search box is a backslash; % and _ stay the operator's wildcards, as
// in every search box; a code prefix is literal throughout.
TEST(SearchPatterns, BackslashesAreLiteralWildcardsAreTheOperatorsAndCodePrefixesAreLiteral)
{
    test::TestDatabase db;
    test::ScriptedPrompter prompter;
    DBExecute(u"INSERT INTO pclass (code, name) VALUES ('0001', 'a\\\\b'), ('0002', 'ab'), ('0003', 'x%y'), "
              "('0004', 'xzy'), ('0005', 'it''s')"_s);
    const auto names = [](const QString& pattern) {
        return StoreSql(nullptr, u"test"_s).firstColumn(u"SELECT name FROM pclass WHERE name LIKE "_s + pattern + u" ORDER BY code"_s, u"names"_s);
    };
    EXPECT_EQ(names(StoreSql::containing(u"a\\b"_s)), QStringList{u"a\\b"_s});
    EXPECT_EQ(names(StoreSql::containing(u"x%y"_s)), (QStringList{u"x%y"_s, u"xzy"_s}));
    EXPECT_EQ(names(StoreSql::containing(u"'s"_s)), QStringList{u"it's"_s});
    EXPECT_EQ(names(StoreSql::likePattern(u"a\\_"_s)), QStringList{u"a\\b"_s});

    DBExecute(u"INSERT INTO product (code, name) VALUES ('AB0041', 'b'), ('A%0007', 'c')"_s);
    EXPECT_EQ(NextCode(u"product"_s, u"code"_s, 6, u"A_"_s), u"A_0001"_s);
    EXPECT_EQ(NextCode(u"product"_s, u"code"_s, 6, u"A%"_s), u"A%0008"_s);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}
