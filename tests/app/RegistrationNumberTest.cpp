#include "RegistrationNumber.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using asv::RegistrationNumber;

TEST(RegistrationNumber, ResidentCheckDigitIncludingTheTenAndElevenCases)
{
    EXPECT_TRUE(RegistrationNumber::isResident(u"8001011234560"_s));
    EXPECT_TRUE(RegistrationNumber::isResident(u"850315-2345678"_s));
    EXPECT_TRUE(RegistrationNumber::isResident(u" 9912311000007 "_s));
    // 11 - (sum mod 11) of 10 and 11 stand for 0 and 1.
    EXPECT_TRUE(RegistrationNumber::isResident(u"8001011000040"_s));
    EXPECT_TRUE(RegistrationNumber::isResident(u"8001011000061"_s));
    EXPECT_FALSE(RegistrationNumber::isResident(u"8001011000041"_s));

    EXPECT_FALSE(RegistrationNumber::isResident(u"8001011234561"_s));
    EXPECT_FALSE(RegistrationNumber::isResident(u"800101123456"_s));
    EXPECT_FALSE(RegistrationNumber::isResident(u"80010112345600"_s));
    EXPECT_FALSE(RegistrationNumber::isResident(u"80010a1234560"_s));
    EXPECT_FALSE(RegistrationNumber::isResident(QString()));
    EXPECT_TRUE(RegistrationNumber::isResident(u"9999999999999"_s));
}

TEST(RegistrationNumber, NumbersFromOctober2020CarryNoCheckDigit)
{
    EXPECT_TRUE(RegistrationNumber::isResident(u"2010013000000"_s));
    EXPECT_TRUE(RegistrationNumber::isResident(u"2107154999999"_s));
    EXPECT_TRUE(RegistrationNumber::isResident(u"2203017123456"_s));
    // Born before October 2020, or of the 1900s genders: the check digit still counts.
    EXPECT_FALSE(RegistrationNumber::isResident(u"2009303000000"_s));
    EXPECT_FALSE(RegistrationNumber::isResident(u"2010011000001"_s));
}

TEST(RegistrationNumber, ForeignResidentRule)
{
    EXPECT_TRUE(RegistrationNumber::isResident(u"8001015123469"_s));
    EXPECT_TRUE(RegistrationNumber::isResident(u"900101-6123481"_s));
    // The resident check digit is not the foreign one.
    EXPECT_FALSE(RegistrationNumber::isResident(u"8001015123460"_s));
    // Odd issuing office.
    EXPECT_FALSE(RegistrationNumber::isResident(u"8001015133467"_s));
    // Registrant kind below 6: the same digits with kind 5 and a matching check digit.
    EXPECT_FALSE(RegistrationNumber::isResident(u"8001015123550"_s));
}

TEST(RegistrationNumber, BusinessCheckDigit)
{
    EXPECT_TRUE(RegistrationNumber::isBusiness(u"1234567891"_s));
    EXPECT_TRUE(RegistrationNumber::isBusiness(u"220-81-62517"_s));
    EXPECT_TRUE(RegistrationNumber::isBusiness(u"0000000000"_s));
    EXPECT_FALSE(RegistrationNumber::isBusiness(u"2208162518"_s));
    EXPECT_FALSE(RegistrationNumber::isBusiness(u"220816251"_s));
    EXPECT_FALSE(RegistrationNumber::isBusiness(u"22081625170"_s));
    EXPECT_FALSE(RegistrationNumber::isBusiness(u"22O8162517"_s));
}

TEST(RegistrationNumber, LeavingTheFieldWritesTheHyphens)
{
    EXPECT_EQ(RegistrationNumber::normalized(u"8001011234560"_s), u"800101-1234560"_s);
    EXPECT_EQ(RegistrationNumber::normalized(u"800101-1234560"_s), u"800101-1234560"_s);
    EXPECT_EQ(RegistrationNumber::normalized(u"2208162517"_s), u"220-81-62517"_s);
    EXPECT_EQ(RegistrationNumber::normalized(u"22-081-62517"_s), u"220-81-62517"_s);
    EXPECT_EQ(RegistrationNumber::normalized(u"9999999999999"_s), u"9999999999999"_s);
    EXPECT_EQ(RegistrationNumber::normalized(u"123"_s), std::nullopt);
    EXPECT_EQ(RegistrationNumber::invalidMessage(), u"유효한 주민등록번호 또는 사업자등록 번호가 아닙니다."_s);
}
