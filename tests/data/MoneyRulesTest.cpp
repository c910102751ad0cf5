#include "ScriptedPrompter.h"
#include "SharedOptions.h"
#include "SqlNumber.h"
#include "mdlCommonOstra.h"
#include "modMath.h"

#include <gtest/gtest.h>
#include <limits>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;

TEST(Rounding, HalvesAwayFromZeroAndRoundUpAboveATenthDespiteBinaryNoise)
{
    struct Case {
        double x;
        int digits;
        double half, up;
    };
    // 1.005, 2.675 and 1.015 are stored just below the half; they still round as written.
    const Case cases[] = {{2.5, 0, 3, 3},           {-2.5, 0, -3, -3},       {2.4999, 0, 2, 3},
                          {1.005, 2, 1.01, 1.01},   {2.675, 2, 2.68, 2.68},  {-1.005, 2, -1.01, -1.01},
                          {1.015, 2, 1.02, 1.02},   {0.1 + 0.2, 1, 0.3, 0.3}, {10.1, 0, 10, 11},
                          {10.05, 0, 10, 10},       {10.2, 0, 10, 11},       {-10.2, 0, -10, -11},
                          {-10.05, 0, -10, -10},    {1.231, 2, 1.23, 1.24},  {1.2305, 2, 1.23, 1.23},
                          {1234.56785, 4, 1234.5679, 1234.5679}, {12345678.9, 0, 12345679, 12345679}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " @" << c.digits);
        EXPECT_DOUBLE_EQ(RoundNum(c.x, c.digits), c.half);
        EXPECT_DOUBLE_EQ(RoundUpNum(c.x, c.digits), c.up);
    }
}

TEST(Vat, EveryModeAndRoundingAndWhatItRefuses)
{
    ScriptedPrompter prompter;
    struct Case {
        int type;
        double qty, price;
        VatOptions options;
        double supply, tax;
    };
    const Case cases[] = {
        {0, 3, 1000, {0, 0}, 3000, 0},
        {1, 1, 1000, {0, 0}, 909, 91},
        {1, -1, 1000, {0, 0}, -909, -91},
        {1, 1, 1000.55, {2, 0}, 910, 90.55}, // the tax keeps the amount's decimals, without noise
        {2, 1, 1005, {0, 0}, 1005, 100},
        {2, 1, 1005, {0, 1}, 1005, 101},
        {2, 1, 1005, {0, 2}, 1005, 101},
        {2, 1, 1001, {0, 1}, 1001, 100},
        {2, 1, 1001, {0, 2}, 1001, 101},
        {2, -1, 1005, {0, 0}, -1005, -100},
        {2, 1.5, 333.33, {0, 1}, 500, 50}, // the amount is rounded to its decimals first: 499.995
        {2, 1.5, 333.33, {2, 1}, 500, 50},
        {0, 0.1, 3, {1, 0}, 0.3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << ": " << c.qty << " x " << c.price);
        double supply = -1, tax = -1;
        ASSERT_TRUE(CalcVAT(c.type, c.qty, c.price, supply, tax, c.options));
        EXPECT_DOUBLE_EQ(supply, c.supply);
        EXPECT_DOUBLE_EQ(tax, c.tax);
    }
    EXPECT_TRUE(prompter.messages().isEmpty());

    // An unknown mode or rounding leaves the outputs alone.
    double supply = -1, tax = -1;
    EXPECT_FALSE(CalcVAT(3, 1, 1000, supply, tax, VatOptions{0, 0}));
    EXPECT_DOUBLE_EQ(supply, -1);
    EXPECT_DOUBLE_EQ(tax, -1);
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_FALSE(CalcVAT(2, 1, 1000, supply, tax, VatOptions{0, 5}));
    EXPECT_DOUBLE_EQ(supply, 1000);
    EXPECT_DOUBLE_EQ(tax, -1);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info), QStringList{u"fixme"_s});

    // Without explicit options the copies in memory hold.
    const SharedOptions saved = SharedOptions::current();
    SharedOptions::current().vatRounding = 2;
    ASSERT_TRUE(CalcVAT(2, 1, 1001, supply, tax));
    EXPECT_DOUBLE_EQ(tax, 101);
    SharedOptions::current() = saved;
}

TEST(SqlNumbers, FullPrecisionWithoutExponent)
{
    const std::pair<double, QString> cases[] = {{-0.0, u"0"_s},        {-12.5, u"-12.5"_s},
                                                {0.1, u"0.1"_s},       {1e-7, u"0.0000001"_s},
                                                {1e15, u"1000000000000000"_s}, {123456789.1234, u"123456789.1234"_s}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(SqlNumber(value), text);
    EXPECT_THROW(SqlNumber(std::numeric_limits<double>::quiet_NaN()), std::exception);
    EXPECT_THROW(SqlNumber(std::numeric_limits<double>::infinity()), std::exception);
}

TEST(DecFormat, BuiltFromDecimalsThousandsAndZeroFlags)
{
    const std::tuple<int, bool, bool, bool, QString> cases[] = {
        {2, true, false, false, u"#,##0.##"_s}, {2, true, false, true, u"#,##0.00"_s}, {0, true, false, false, u"#,###"_s},
        {0, true, true, false, u"#,##0"_s},     {0, false, true, false, u"0"_s},       {3, false, false, true, u"0.000"_s},
        {1, false, false, false, u"0.#"_s}};
    for (const auto& [decimals, thousands, zero, trailing, format] : cases)
        EXPECT_EQ(GetDecFormat(decimals, thousands, zero, trailing), format);

    const SharedOptions saved = SharedOptions::current();
    SharedOptions::current().showTrailingZeros = true;
    EXPECT_EQ(GetDecFormat(2, true, false), u"#,##0.00"_s);
    SharedOptions::current() = saved;
}

TEST(FormatNumbers, GroupsDecimalsAndEmptyZero)
{
    const std::tuple<double, QString, QString> cases[] = {
        {1234567.891, u"#,##0.##"_s, u"1,234,567.89"_s}, {1234.5, u"#,##0.##"_s, u"1,234.5"_s},
        {0.5, u"#,##0.##"_s, u"0.5"_s},                   {0, u"#,##0.##"_s, u"0"_s},
        {1234.5, u"#,##0.00"_s, u"1,234.50"_s},           {-1234.567, u"#,##0.00"_s, u"-1,234.57"_s},
        {2.675, u"0.00"_s, u"2.68"_s},                    {999.5, u"#,###"_s, u"1,000"_s},
        {0, u"#,###"_s, QString()},                       {-0.4, u"#,###"_s, QString()},
        {-1000000, u"#,###"_s, u"-1,000,000"_s},          {1234567, u"0"_s, u"1234567"_s},
        {1.5, QString(), u"1.5"_s},
    };
    for (const auto& [value, format, expected] : cases)
        EXPECT_EQ(FormatNumber(value, format), expected) << value << " " << format.toStdString();
}
