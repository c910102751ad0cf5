#include "ScriptedPrompter.h"
#include "modBarCode.h"
#include "modDBMS_comn.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;

namespace {
const QString kContains = u"*s*: 검색어를 포함"_s;
const QString kEnds = u"*s : 검색어로 끝남"_s;
const QString kEquals = u"=  : 검색어와 일치"_s;
} // namespace

TEST(FindWhere, SeveralFieldsAreJoinedWithOr)
{
    EXPECT_EQ(MakeFindWhere(u"telno1,telno2"_s, u"1234"_s, kContains),
              u"(telno1 LIKE '%1234%' OR telno2 LIKE '%1234%')"_s);
    EXPECT_EQ(MakeFindWhere(u"c.telno1, c.hpno"_s, u"5678"_s, kEnds),
              u"(c.telno1 LIKE '%5678' OR c.hpno LIKE '%5678')"_s);
}

TEST(FindWhere, QuotesBackslashesAndLineBreaksCannotBreakTheStatement)
{
    EXPECT_EQ(MakeFindWhere(u"name"_s, u"O'Neil"_s, kContains), u"name LIKE '%O''Neil%'"_s);
    EXPECT_EQ(MakeFindWhere(u"name"_s, u"a\\b"_s, kContains), u"name LIKE '%a\\\\\\\\b%'"_s);
    EXPECT_EQ(MakeFindWhere(u"name"_s, u"a\\b'"_s, kEquals), u"name = 'a\\\\b'''"_s);
    EXPECT_EQ(MakeFindWhere(u"name"_s, u"홍길\r\n동"_s, kEquals), u"name = '홍길동'"_s);
}

TEST(FindWhere, IgnoringSpacesComparesTheColumnsWithoutBlanks)
{
    EXPECT_EQ(MakeFindWhere(u"c.compname"_s, u"대한상사"_s, kContains, true),
              u" REPLACE(c.compname, ' ', '')  LIKE '%대한상사%'"_s);
    EXPECT_EQ(MakeFindWhere(u"a,b"_s, u"x"_s, kEquals, true),
              u"( REPLACE(a, ' ', '')  = 'x' OR  REPLACE(b, ' ', '')  = 'x')"_s);
}

TEST(FindWhere, UnknownOperatorShowsFixmeAndGivesNothing)
{
    ScriptedPrompter prompter;
    EXPECT_EQ(MakeFindWhere(u"name"_s, u"x"_s, u"~~ : 비슷"_s), QString());
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info), QStringList{u"fixme"_s});
}

TEST(BarCodes, ScannerPrefixIsDropped)
{
    EXPECT_EQ(ConvBarCode(u"&8801234567890"_s), u"8801234567890"_s);
    EXPECT_EQ(ConvBarCode(u"+123"_s), u"123"_s);
    EXPECT_EQ(ConvBarCode(u";123"_s), u"123"_s);
    EXPECT_EQ(ConvBarCode(u"123&"_s), u"123&"_s);
    EXPECT_EQ(ConvBarCode(u"&&1"_s), u"&1"_s);
    EXPECT_EQ(ConvBarCode(u"&"_s), QString());
    EXPECT_EQ(ConvBarCode(QString()), QString());
}
