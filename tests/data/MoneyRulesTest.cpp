#include "ScriptedPrompter.h"
#include "SharedOptions.h"
#include "SqlNumber.h"
#include "modMath.h"

#include <gtest/gtest.h>
#include <limits>

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

TEST(Vat, EveryModeAndRounding)
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
}

TEST(Vat, UnknownModeOrRoundingLeavesOutputsAlone)
{
    ScriptedPrompter prompter;
    double supply = -1, tax = -1;
    EXPECT_FALSE(CalcVAT(3, 1, 1000, supply, tax, VatOptions{0, 0}));
    EXPECT_DOUBLE_EQ(supply, -1);
    EXPECT_DOUBLE_EQ(tax, -1);
    EXPECT_TRUE(prompter.messages().isEmpty());

    EXPECT_FALSE(CalcVAT(2, 1, 1000, supply, tax, VatOptions{0, 5}));
    EXPECT_DOUBLE_EQ(supply, 1000);
    EXPECT_DOUBLE_EQ(tax, -1);
    EXPECT_EQ(prompter.texts(ScriptedPrompter::Kind::Info), QStringList{u"fixme"_s});
}

TEST(Vat, WithoutExplicitOptionsUsesTheCopiesInMemory)
{
    const SharedOptions saved = SharedOptions::current();
    SharedOptions::current().vatRounding = 2;
    double supply = 0, tax = 0;
    ASSERT_TRUE(CalcVAT(2, 1, 1001, supply, tax));
    EXPECT_DOUBLE_EQ(tax, 101);
    SharedOptions::current() = saved;
}

TEST(SqlNumbers, FullPrecisionWithoutExponent)
{
    EXPECT_EQ(SqlNumber(-0.0), u"0"_s);
    EXPECT_EQ(SqlNumber(-12.5), u"-12.5"_s);
    EXPECT_EQ(SqlNumber(0.1), u"0.1"_s);
    EXPECT_EQ(SqlNumber(1e-7), u"0.0000001"_s);
    EXPECT_EQ(SqlNumber(1e15), u"1000000000000000"_s);
    EXPECT_EQ(SqlNumber(123456789.1234), u"123456789.1234"_s);
    EXPECT_THROW(SqlNumber(std::numeric_limits<double>::quiet_NaN()), std::exception);
    EXPECT_THROW(SqlNumber(std::numeric_limits<double>::infinity()), std::exception);
}
