#include "ProductRules.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

TEST(CheckDigit, TwelveDigitsGetTheirGs1DigitAndOtherLengthsAreRefused)
{
    struct Case {
        QString typed;
        std::optional<QString> result;
    };
    // The scanner's prefix is dropped before the length is judged; thirteen already carry their digit.
    const Case cases[] = {
        {u"400638133393"_s, u"4006381333931"_s},  {u"590123412345"_s, u"5901234123457"_s},
        {u"978030640615"_s, u"9780306406157"_s},  {u"001234567890"_s, u"0012345678905"_s},
        {u"000000000000"_s, u"0000000000000"_s},  {u"&590123412345"_s, u"5901234123457"_s},
        {u";590123412345"_s, u"5901234123457"_s}, {u"+4006381333931"_s, u"4006381333931"_s},
        {u"5901234123450"_s, u"5901234123450"_s}, {u"59012341234"_s, std::nullopt},
        {u"59012341234578"_s, std::nullopt},      {u"&59012341234"_s, std::nullopt},
        {u"59012341234A"_s, std::nullopt},        {QString(), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        EXPECT_EQ(BarcodeWithCheckDigit(c.typed), c.result);
    }
    EXPECT_EQ(CheckDigitExplanation(), u"체크 디지트는 바코드 12자리 입력시 자동으로\r\n"
                                       u"마지막자리(13번째)에 체크 디지트 값을 입력해 주는 기능입니다.\r\n"
                                       u"(계산방식: 모듈러 10 알고리즘)"_s);
}

TEST(Unit, HoldsTenCodePageBytes)
{
    struct Case {
        QString unit;
        bool fits;
    };
    const Case cases[] = {
        {u"EA"_s, true},           {u"1234567890"_s, true},   {u"12345678901"_s, false},
        {u"가나다라마"_s, true},   {u"가나다라마바"_s, false}, {u"똠뷁햏똠뷁"_s, true},
        {u"가나다라a1"_s, true},   {u"가나다라ab1"_s, false},  {QString(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit.toStdString());
        EXPECT_EQ(UnitFits(c.unit), c.fits);
    }
    EXPECT_EQ(UnitTooLongMessage(), u"단위의 최대길이는 영문10자(한글5자)입니다."_s);
}

TEST(NameNormWarning, ListsAtMostTenRegisteredNorms)
{
    const QString top = u"======================================"_s;
    const QString head =
        u"\r\n\r\n"_s + top + u"\r\n       ◇ 동일 상품 규격 리스트 ◇\r\n--------------------------------------\r\n"_s;
    EXPECT_EQ(NameNormTakenWarning(u"볼트"_s, u"M3"_s, {u"M3"_s, u"M4"_s}),
              u"볼트(M3)는 이미 등록된 상품명(규격)입니다."_s + head + u"M3\r\nM4\r\n"_s + top);
    EXPECT_TRUE(NameNormTakenWarning(u"볼트"_s, {}, {u""_s}).startsWith(u"볼트는 이미"_s));

    QStringList eleven;
    for (int i = 1; i <= 11; ++i)
        eleven << u"N%1"_s.arg(i);
    const QString many = NameNormTakenWarning(u"볼트"_s, u"N1"_s, eleven);
    EXPECT_TRUE(many.endsWith(u"N10\r\n...\r\n"_s + top)) << many.toStdString();
    EXPECT_FALSE(many.contains(u"N11"_s));
}
