#include "CustomerRules.h"

#include <QList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

TEST(CustomerRules, ShortNameLeavesOutCompanyMarks)
{
    const QList<std::pair<QString, QString>> cases{
        {u"(주)한빛상사"_s, u"한빛상사"_s},
        {u"한빛상사(주)"_s, u"한빛상사"_s},
        {u"㈜한빛"_s, u"한빛"_s},
        {u"(유)대성"_s, u"대성"_s},
        {u"(주) 한빛"_s, u"한빛"_s},
        {u"한빛(주)상사(유)"_s, u"한빛상사"_s},
        {u"(주)(주)미래"_s, u"미래"_s},
        // Nothing left: the name stands for itself.
        {u"(주)"_s, u"(주)"_s},
        {u"㈜ (유)"_s, u"㈜ (유)"_s},
        {QString(), QString()},
        // Only these three marks; other brackets are part of the name.
        {u"(株)동양"_s, u"(株)동양"_s},
        {u"(사)복지회"_s, u"(사)복지회"_s},
        {u"홍길동"_s, u"홍길동"_s},
    };
    for (const auto& [name, alias] : cases)
        EXPECT_EQ(ShortNameOf(name), alias) << name.toStdString();
}

TEST(CustomerRules, ZipcodeIsStoredInSevenBytesAndEnterSearchesOnlyForAnEmptyAddress)
{
    EXPECT_EQ(ZipcodeForStorage(u"123-456"_s), u"123-456"_s);
    EXPECT_EQ(ZipcodeForStorage(u"06236"_s), u"06236"_s);
    EXPECT_EQ(ZipcodeForStorage(u"12345-678"_s), u"12345-6"_s);
    // Hangul counts two bytes and is never cut in half.
    EXPECT_EQ(ZipcodeForStorage(u"우편123"_s), u"우편123"_s);
    EXPECT_EQ(ZipcodeForStorage(u"우편번호1"_s), u"우편번"_s);

    EXPECT_TRUE(ZipcodeEnterSearches(u"06236"_s, QString()));
    EXPECT_FALSE(ZipcodeEnterSearches(u"06236"_s, u"서울 강남구"_s));
    EXPECT_FALSE(ZipcodeEnterSearches(QString(), QString()));
    EXPECT_FALSE(ZipcodeEnterSearches(u"  "_s, QString()));
}

TEST(CustomerRules, DuplicateQuestionsNameTheValueAndTheLabel)
{
    EXPECT_EQ(DuplicateQuestion(u"O'Neil\\상사"_s, u"상호명"_s),
              u"『O'Neil\\상사』는 이미 등록된 상호명입니다.\r\n\r\n그래도, 등록하시겠습니까?"_s);
    EXPECT_EQ(DuplicateTitle(u"상호명"_s), u"동일 상호명 발견"_s);
    EXPECT_EQ(DuplicateQuestion(u"02-123-4567"_s, u"전화번호 "_s),
              u"『02-123-4567』는 이미 등록된 전화번호 입니다.\r\n\r\n그래도, 등록하시겠습니까?"_s);
    EXPECT_EQ(DuplicateTitle(u"전화번호 "_s), u"동일 전화번호 발견"_s);
}
