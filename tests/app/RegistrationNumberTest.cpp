#include "RegistrationNumber.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using asv::RegistrationNumber;

TEST(RegistrationNumber, ResidentForeignAndBusinessCheckDigits)
{
    const auto resident = RegistrationNumber::isResident;
    const auto business = RegistrationNumber::isBusiness;
    const struct {
        bool (*rule)(const QString&);
        QString text;
        bool valid;
    } cases[] = {
        {resident, u"8001011234560"_s, true}, {resident, u"850315-2345678"_s, true}, {resident, u" 9912311000007 "_s, true},
        // 11 - (sum mod 11) of 10 and 11 stand for 0 and 1.
        {resident, u"8001011000040"_s, true}, {resident, u"8001011000061"_s, true}, {resident, u"8001011000041"_s, false},
        {resident, u"8001011234561"_s, false}, {resident, u"800101123456"_s, false}, {resident, u"80010112345600"_s, false},
        {resident, u"80010a1234560"_s, false}, {resident, QString(), false}, {resident, u"9999999999999"_s, true},
        // Born from October 2020 on: no check digit; before, or of the 1900s genders, it counts.
        {resident, u"2010013000000"_s, true}, {resident, u"2107154999999"_s, true}, {resident, u"2203017123456"_s, true},
        {resident, u"2009303000000"_s, false}, {resident, u"2010011000001"_s, false},
        // Foreign residents: their own check digit, an even issuing office, registrant kind 6 or more.
        {resident, u"8001015123469"_s, true}, {resident, u"900101-6123481"_s, true},
        {resident, u"8001015123460"_s, false}, {resident, u"8001015133467"_s, false},
        {resident, u"8001015123550"_s, false},
        {business, u"1234567891"_s, true}, {business, u"220-81-62517"_s, true}, {business, u"0000000000"_s, true},
        {business, u"2208162518"_s, false}, {business, u"220816251"_s, false}, {business, u"22081625170"_s, false},
        {business, u"22O8162517"_s, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.rule(c.text), c.valid) << c.text.toStdString();
}

TEST(RegistrationNumber, LeavingTheFieldWritesTheHyphens)
{
    EXPECT_EQ(RegistrationNumber::normalized(u"800101-1234560"_s), u"800101-1234560"_s);
    EXPECT_EQ(RegistrationNumber::normalized(u"22-081-62517"_s), u"220-81-62517"_s);
    EXPECT_EQ(RegistrationNumber::normalized(u"9999999999999"_s), u"9999999999999"_s);
    EXPECT_EQ(RegistrationNumber::normalized(u"123"_s), std::nullopt);
}
