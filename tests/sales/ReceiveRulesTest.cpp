#include "ReceiveRules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace asv {
namespace {

using Issue = ReceiveRules::Issue;

const QDate kToday(2026, 3, 10);

ReceiveRules::Typed typed(std::optional<QDate> date, const QString& customer, const QString& ccode,
                          const QString& amount, const QString& dc, int kind = 0)
{
    return {date, date ? date->toString(u"yyyy-MM-dd"_s) : u"2026-13-01"_s, customer, ccode, amount, dc, kind,
            u"02"_s, u"메모"_s};
}

TEST(ReceiveRulesTest, SavingRefusesOrAsksInTheOrderTheOperatorMeetsIt)
{
    const QDate tomorrow = kToday.addDays(1);
    struct Case {
        const char* what;
        ReceiveRules::Typed typed;
        QList<Issue> issues;
    } cases[] = {
        {"a complete payment", typed(kToday, u"가나상사"_s, u"C1"_s, u"10000"_s, u"500"_s), {}},
        {"a discount alone is a payment", typed(kToday, u"가나상사"_s, u"C1"_s, {}, u"500"_s), {}},
        {"no date stops everything", typed(std::nullopt, {}, {}, {}, {}), {Issue::BadDate}},
        {"tomorrow is asked", typed(tomorrow, u"가나상사"_s, u"C1"_s, u"10000"_s, {}), {Issue::FutureDate}},
        {"no customer", typed(kToday, u"  "_s, {}, u"10000"_s, {}), {Issue::NoCustomer}},
        {"tomorrow is asked before the customer is refused", typed(tomorrow, {}, {}, {}, {}),
         {Issue::FutureDate, Issue::NoCustomer}},
        {"a name that found no customer", typed(kToday, u"없는상사"_s, {}, u"10000"_s, {}), {Issue::NoCustomerCode}},
        {"nothing paid", typed(kToday, u"가나상사"_s, u"C1"_s, u"0"_s, {}), {Issue::NothingPaid}},
        {"a signed zero is nothing", typed(kToday, u"가나상사"_s, u"C1"_s, u"-0"_s, u"0.0"_s), {Issue::NothingPaid}},
        {"both questions", typed(tomorrow, u"가나상사"_s, u"C1"_s, {}, {}), {Issue::FutureDate, Issue::NothingPaid}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReceiveRules::issues(c.typed, kToday), c.issues);
    }
}

TEST(ReceiveRulesTest, TheFieldsMakeThePaymentAndThePanels)
{
    ReceiveRecord loaded;
    loaded.type = 1;
    loaded.deallistno = u"2026-001"_s;
    struct Case {
        const char* what;
        QString amount, dc;
        int kind;
        double previous;
        double storedAmount, storedDc;
        int storedKind;
        double total, current;
    } cases[] = {
        {"amount and discount", u"10000"_s, u"500"_s, 0, 30000, 10000, 500, 0, 10500, 19500},
        {"a sign is dropped", u"-10000"_s, u"-500"_s, 0, 30000, 10000, 500, 0, 10500, 19500},
        {"empty fields are nothing", {}, {}, 1, 30000, 0, 0, 1, 0, 30000},
        {"a kind the list does not know stays as stored", u"2500.5"_s, {}, -1, 0, 2500.5, 0, 1, 2500.5, -2500.5},
        {"more than owed leaves a credit", u"50000"_s, {}, 0, 30000, 50000, 0, 0, 50000, -20000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReceiveRules::Typed t = typed(kToday, u"가나상사"_s, u"C2"_s, c.amount, c.dc, c.kind);
        const ReceiveRecord p = ReceiveRules::edited(loaded, t);
        EXPECT_DOUBLE_EQ(p.amount, c.storedAmount);
        EXPECT_DOUBLE_EQ(p.dc, c.storedDc);
        EXPECT_EQ(p.type, c.storedKind);
        // The statement number is the store's to reset, when the date moved.
        EXPECT_EQ(p.deallistno, loaded.deallistno);
        const ReceiveRules::Panels panels = ReceiveRules::panels(c.previous, t);
        EXPECT_DOUBLE_EQ(panels.previous, c.previous);
        EXPECT_DOUBLE_EQ(panels.total, c.total);
        EXPECT_DOUBLE_EQ(panels.current, c.current);
    }
}

TEST(ReceiveRulesTest, AnEditMovesTheChangeOrTheWholePaymentBetweenCustomersInCodeOrder)
{
    using Moves = QList<std::pair<QString, double>>;
    struct Case {
        const char* what;
        QString stored;
        double storedTotal;
        QString ccode;
        double change;
        Moves moves;
    } cases[] = {
        {"lowered at the same customer", u"C1"_s, 10000, u"C1"_s, -2000, {{u"C1"_s, 2000}}},
        {"unchanged", u"C1"_s, 10000, u"C1"_s, 0, {{u"C1"_s, 0}}},
        {"moved on", u"C1"_s, 10000, u"C2"_s, 0, {{u"C1"_s, 10000}, {u"C2"_s, -10000}}},
        {"moved back and lowered, in code order", u"C2"_s, 10000, u"C1"_s, -2000,
         {{u"C1"_s, -8000}, {u"C2"_s, 10000}}},
        {"binary noise stays out of the columns", u"C1"_s, 0.3, u"C2"_s, 0.1 + 0.2 - 0.3,
         {{u"C1"_s, 0.3}, {u"C2"_s, -0.3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReceiveRules::balanceMoves(c.stored, c.storedTotal, c.ccode, c.change), c.moves);
    }
}

} // namespace
} // namespace asv
