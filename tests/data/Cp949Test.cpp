#include "AppError.h"
#include "Cp949.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using asv::Cp949;

TEST(Cp949, RoundTripsHangulOutsideTheBasicSetAndAscii)
{
    // 똠, 뷁, 햏 lie outside KS X 1001 yet inside code page 949; the lossy codecs drop them.
    const QString text = u"똠뷁햏 쌰갂 가나다 abc '\\ ￦"_s;
    const QByteArray bytes = Cp949::encode(text);
    EXPECT_EQ(Cp949::decode(bytes), text);
    EXPECT_EQ(bytes.size(), Cp949::byteLength(text));
    EXPECT_EQ(Cp949::encode(u"똠"_s), QByteArray("\x8c\x63"));
    EXPECT_EQ(Cp949::byteLength(u"가나다ab"_s), 8);
    EXPECT_EQ(Cp949::byteLength(QString()), 0);
}

TEST(Cp949, RefusesWhatTheCodePageCannotHoldAndNamesIt)
{
    const QString text = u"고객 😀 메모"_s;
    EXPECT_EQ(Cp949::firstUnencodable(text), 3);
    try {
        Cp949::encode(text);
        FAIL() << "an emoji must be refused";
    } catch (const asv::AppError& e) {
        EXPECT_EQ(e.number(), Cp949::kUnencodable);
        EXPECT_TRUE(e.description().contains(u"😀"_s));
        EXPECT_TRUE(e.description().contains(u"U+1F600"_s));
    }
    // The won sign has no code; the full-width one has.
    EXPECT_EQ(Cp949::firstUnencodable(u"₩1000"_s), 0);
    EXPECT_EQ(Cp949::firstUnencodable(u"￦1000"_s), -1);
}
