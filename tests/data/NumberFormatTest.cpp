#include "SharedOptions.h"
#include "mdlCommonOstra.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace asv;

TEST(DecFormat, BuiltFromDecimalsThousandsAndZeroFlags)
{
    EXPECT_EQ(GetDecFormat(2, true, false, false), u"#,##0.##"_s);
    EXPECT_EQ(GetDecFormat(2, true, false, true), u"#,##0.00"_s);
    EXPECT_EQ(GetDecFormat(0, true, false, false), u"#,###"_s);
    EXPECT_EQ(GetDecFormat(0, true, true, false), u"#,##0"_s);
    EXPECT_EQ(GetDecFormat(0, false, true, false), u"0"_s);
    EXPECT_EQ(GetDecFormat(3, false, false, true), u"0.000"_s);
    EXPECT_EQ(GetDecFormat(1, false, false, false), u"0.#"_s);

    const SharedOptions saved = SharedOptions::current();
    SharedOptions::current().showTrailingZeros = true;
    EXPECT_EQ(GetDecFormat(2, true, false), u"#,##0.00"_s);
    SharedOptions::current() = saved;
}

TEST(FormatNumbers, GroupsDecimalsAndEmptyZero)
{
    const std::tuple<double, QString, QString> cases[] = {
        {1234567.891, u"#,##0.##"_s, u"1,234,567.89"_s},
        {1234.5, u"#,##0.##"_s, u"1,234.5"_s},
        {0.5, u"#,##0.##"_s, u"0.5"_s},
        {0, u"#,##0.##"_s, u"0"_s},
        {1234.5, u"#,##0.00"_s, u"1,234.50"_s},
        {-1234.567, u"#,##0.00"_s, u"-1,234.57"_s},
        {2.675, u"0.00"_s, u"2.68"_s},
        {999.5, u"#,###"_s, u"1,000"_s},
        {0, u"#,###"_s, QString()},
        {-0.4, u"#,###"_s, QString()},
        {-1000000, u"#,###"_s, u"-1,000,000"_s},
        {1234567, u"0"_s, u"1234567"_s},
        {1.5, QString(), u"1.5"_s},
    };
    for (const auto& [value, format, expected] : cases)
        EXPECT_EQ(FormatNumber(value, format), expected) << value << " " << format.toStdString();
}
