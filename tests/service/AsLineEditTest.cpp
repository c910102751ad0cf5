#include "AsLineEdit.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace asv {
namespace {

using R = AsLineEdit::Refusal;

AsLineEdit::Typed typed(int cause, int result, const QString& product, const QString& amount, bool free)
{
    return {u"000001"_s, product, cause, result, u"배수펌프 '교체'"_s, amount, free, u"2026-04-02"_s};
}

TEST(AsLineEditRule, TheDialogsFieldsMakeTheLineAndItsCharge)
{
    struct Case {
        const char* what;
        AsLineEdit::Typed typed;
        R refusal;
        double amount, billed;
    } cases[] = {
        {"a charged line", typed(3, 4, u"세탁기"_s, u"30000"_s, false), R::None, 30000, 30000},
        {"a free line keeps its amount but charges nothing", typed(3, 4, u"세탁기"_s, u"30000"_s, true), R::None, 30000,
         0},
        {"decimals", typed(3, 4, u"세탁기"_s, u"12500.25"_s, false), R::None, 12500.25, 12500.25},
        {"an empty amount is nothing", typed(3, 4, u"세탁기"_s, {}, false), R::None, 0, 0},
        {"no cause comes first", typed(0, 0, {}, u"1"_s, false), R::NoCause, 1, 1},
        {"then no result", typed(3, 0, {}, u"1"_s, false), R::NoResult, 1, 1},
        {"then no product", typed(3, 4, u"  "_s, u"1"_s, false), R::NoProduct, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(AsLineEdit::refusal(c.typed), c.refusal);
        const AsLineRecord line = AsLineEdit::line(41, 2, c.typed);
        EXPECT_DOUBLE_EQ(line.amount, c.amount);
        EXPECT_DOUBLE_EQ(line.billed(), c.billed);
    }
}

TEST(AsLineEditRule, AnotherProductThanReceivedIsPointedOutOnlyForTheJobsFirstLines)
{
    struct Case {
        const char* what;
        int lineCount;
        std::optional<QString> received;
        QString chosen;
        bool warns, asked;
    } cases[] = {
        {"the first line of another product", 0, u"000001"_s, u"000002"_s, true, true},
        {"the second line", 1, u"000001"_s, u"000002"_s, true, true},
        {"the received product", 0, u"000001"_s, u"000001"_s, false, true},
        {"a job received without a product", 0, QString(), u"000002"_s, true, true},
        {"a job that is gone", 0, std::nullopt, u"000002"_s, false, true},
        {"from the third line on the job is not read", 2, u"000001"_s, u"000002"_s, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool asked = false;
        const auto received = [&] {
            asked = true;
            return c.received;
        };
        EXPECT_EQ(AsLineEdit::otherThanReceived(c.lineCount, received, c.chosen), c.warns);
        EXPECT_EQ(asked, c.asked);
    }
}

} // namespace
} // namespace asv
