#include "Cp949.h"
#include "DateText.h"
#include "FormatTelNo.h"
#include "HCTextRules.h"
#include "QtPrinters.h"

#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

using Cases = QList<std::pair<QString, QString>>;

void expectAll(const std::function<QString(const QString&)>& rule, const Cases& cases)
{
    for (const auto& [in, out] : cases)
        EXPECT_EQ(rule(in), out) << in.toStdString();
}

} // namespace

TEST(FormatTelNo, GroupsAreaCodeExchangeAndLastFourAndDropsJunk)
{
    expectAll(FormatTelNo,
              {{u"05051234567"_s, u"0505-123-4567"_s}, {u"03031234567"_s, u"0303-123-4567"_s},
               {u"0212345678"_s, u"02-1234-5678"_s},   {u"021234567"_s, u"02-123-4567"_s},
               {u"01012345678"_s, u"010-1234-5678"_s}, {u"0311234567"_s, u"031-123-4567"_s},
               {u"0519876543"_s, u"051-987-6543"_s},   {u"12345678"_s, u"1234-5678"_s},
               {u"15881234"_s, u"1588-1234"_s},        {u"1234567"_s, u"123-4567"_s},
               // A leading 0 needs nine digits before it counts as an area code.
               {u"01234567"_s, u"0123-4567"_s},
               // Written numbers are regrouped.
               {u"02-123-4567"_s, u"02-123-4567"_s},   {u"0505-1234-567"_s, u"0505-123-4567"_s},
               {u"(02) 1234 5678"_s, u"02-1234-5678"_s}, {u"전화 031.123.4567"_s, u"031-123-4567"_s},
               {u"abcdef"_s, QString()},                {u"tel:1234"_s, u"1234"_s},
               // No empty middle group when the area code is all there is before the last four.
               {u"021234"_s, u"02-1234"_s},
               // Short text stays as it is.
               {QString(), QString()}, {u"12345"_s, u"12345"_s}, {u"02-12"_s, u"02-12"_s}, {u"내선 12"_s, u"내선 12"_s}});
}

TEST(TimeRule, ReadsHoursAndHoursWithMinutesAndRefusesTheRest)
{
    const QString refused = u"(refused)"_s;
    expectAll([&](const QString& t) { return FormatTimeText(t).value_or(refused); },
              {{u"7"_s, u"07:00"_s},     {u"0"_s, u"00:00"_s},     {u"07"_s, u"07:00"_s},    {u"23"_s, u"23:00"_s},
               {u"925"_s, u"09:25"_s},   {u"1425"_s, u"14:25"_s},  {u"0105"_s, u"01:05"_s},  {u"2359"_s, u"23:59"_s},
               {u"14:25"_s, u"14:25"_s}, {u"14.25"_s, u"14:25"_s}, {u"14 25"_s, u"14:25"_s}, {u"24"_s, refused},
               {u"2400"_s, refused},     {u"2460"_s, refused},     {u"1260"_s, refused},     {u"960"_s, refused},
               {u"123456"_s, refused},   {u"1a25"_s, refused},     {u"ab"_s, refused},       {u"-1"_s, refused},
               {u"+925"_s, refused}});
    EXPECT_EQ(TimeFormatMessage(u"2460"_s),
              u"[2460]는 시간형식이 아닙니다.(00:00~23:59)\r\n시:분 방식으로 입력하세요.\r\n"
              u"예) 14:25 또는 1425\r\n     01:05 또는 0105"_s);
}

TEST(PatternNumber, FillsThreeThreeFourWithLeadingZeros)
{
    expectAll(FormatPatternNo, {{u"1234567890"_s, u"123-456-7890"_s}, {u"123-456-7890"_s, u"123-456-7890"_s},
                                {u"12345"_s, u"000-001-2345"_s},      {u"12345678901"_s, u"1234-567-8901"_s},
                                {u"12a45"_s, u"12a45"_s}});
}

TEST(ByteLimit, CutsWithoutSplittingATwoByteCharacterAndNamesBothLengths)
{
    const QString tenHangul = u"가나다라마바사아자차"_s;
    EXPECT_EQ(Cp949::byteLength(tenHangul), 20);
    const struct {
        QString text;
        qsizetype limit;
        QString cut;
    } cases[] = {{tenHangul, 15, u"가나다라마바사"_s}, {tenHangul, 14, u"가나다라마바사"_s}, {u"ab가c"_s, 3, u"ab"_s},
                 {u"ab가c"_s, 4, u"ab가"_s},
                 // A character outside the code page counts two, and a surrogate pair stays whole.
                 {u"😀a"_s, 1, QString()}, {u"😀a"_s, 2, u"😀"_s}};
    for (const auto& c : cases)
        EXPECT_EQ(CutToByteLength(c.text, c.limit), c.cut) << c.text.toStdString() << ' ' << c.limit;
    EXPECT_EQ(MaxLengthMessage(20, 15),
              u"최대 입력 길이를 초과하였습니다. 입력된 자료는 길이에 맞게 자동으로 짤립니다.\r\n\r\n"
              u"현재 입력된 길이는 20 이며, 최대입력 길이는 15 입니다.\r\n(한글은 한 글자당 길이가 2입니다.)"_s);
}

TEST(DateText, AcceptsOnlyCompleteRealDates)
{
    EXPECT_EQ(DateText::parse(u"2024-02-29"_s), QDate(2024, 2, 29));
    EXPECT_EQ(DateText::parse(u"2000-02-29"_s), QDate(2000, 2, 29));
    for (const QString& bad : {u"2023-02-29"_s, u"1900-02-29"_s, u"2024-04-31"_s, u"2024-13-01"_s,
                               u"2024-00-10"_s, u"2024-2-29"_s, u"2024/02/29"_s, u"20240229"_s, u"2024-02-2"_s,
                               u"--"_s, QString(), u"2024-02-29 "_s, u"２０２４-02-29"_s})
        EXPECT_FALSE(DateText::parse(bad)) << bad.toStdString();
    EXPECT_EQ(DateText::format(QDate(2024, 3, 1)), u"2024-03-01"_s);
}
