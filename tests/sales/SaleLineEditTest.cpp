#include "SaleLineEdit.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace asv {
namespace {

using F = SaleLineEdit::Field;
using R = SaleLineEdit::Refusal;

const QString kFree = u"000000"_s;

// 세탁기 WM-10 (1,005 a piece) is taxed, its WM-20 (2,000, another unit) is not, 필터 has no price
// of its own and 전선 is sold by the metre. The line's VAT mode is the customer's unless the product
// is untaxed, as the shared look-up answers it.
SaleLineEdit::Catalogue catalogue(int customerVat, VatOptions vat = {}, bool priceSetsProduct = false)
{
    static const QHash<QString, std::pair<SaleLineEdit::Product, bool>> products{
        {u"P1"_s, {{u"대"_s, u"880"_s, 1005, u"세탁기"_s, u"WM-10"_s}, true}},
        {u"P2"_s, {{u"세트"_s, u"881"_s, 2000, u"세탁기"_s, u"WM-20"_s}, false}},
        {u"P3"_s, {{u"개"_s, {}, 0, u"필터"_s, {}}, true}},
        {u"P4"_s, {{u"m"_s, {}, 0.335, u"전선"_s, u"2C"_s}, true}}};
    return {[customerVat](const QString& pcode) {
                return products.contains(pcode) && !products[pcode].second ? 0 : customerVat;
            },
            [](const QString& pcode) -> std::optional<SaleLineEdit::Product> {
                if (!products.contains(pcode))
                    return std::nullopt;
                return products[pcode].first;
            },
            [](const QString& name, const QString& norm) {
                for (auto it = products.cbegin(); it != products.cend(); ++it) {
                    if (it->first.name == name && it->first.norm == norm)
                        return it.key();
                }
                return kFree;
            },
            vat, priceSetsProduct};
}

// 3 × 1,005 of P1 with VAT on top: 3,015 + 301.
SaleLineEdit::Cells stored()
{
    return {u"P1"_s, u"세탁기"_s, u"WM-10"_s, u"대"_s, u"880"_s, u"01"_s, 3, 1005, 3015, 301};
}

// A free-text line without a price: what the operator types as amount is what is charged.
SaleLineEdit::Cells freeText()
{
    return {kFree, u"설치비"_s, {}, {}, {}, u"01"_s, 1, 0, 0, 0};
}

std::function<void(SaleLineEdit::Cells&)> chosen(const QString& pcode, const QString& name)
{
    return [=](SaleLineEdit::Cells& l) {
        l.pcode = pcode;
        l.pname = name;
        l.pnorm.clear();
    };
}

QString texts(const SaleChange& c)
{
    QStringList parts;
    for (const auto& [column, text] : c.texts)
        parts << column + u'=' + text;
    return parts.join(u',');
}

TEST(SaleLineEditRule, WhatEachEditedColumnOfAStoredLineWrites)
{
    const auto none = [](auto&) {};
    struct Case {
        const char* what;
        F field;
        SaleLineEdit::Cells (*base)();
        std::function<void(SaleLineEdit::Cells&)> typed; // the cells once the operator's text is in
        QString oldText, newText;
        int vat;
        VatOptions options;
        QString texts;
        double qnt, price, amount, tax;
        QString pcodeAfter;
        bool unitChanged;
    } cases[] = {
        {"quantity 3 → 5 writes differences only", F::Quantity, stored, [](auto& l) { l.qnt = 5; }, u"3"_s, u"5"_s, 2,
         {}, {}, 2, 0, 2010, 201, u"P1"_s, false},
        {"VAT none", F::Quantity, stored, [](auto& l) { l.qnt = 5; }, u"3"_s, u"5"_s, 0, {}, {}, 2, 0, 2010, -301,
         u"P1"_s, false},
        {"VAT included: 3,000 is 2,727 + 273", F::Price, stored, [](auto& l) { l.price = 1000; }, u"1005"_s,
         u"1000"_s, 1, {}, {}, 0, -5, -288, -28, u"P1"_s, false},
        {"tax of 1,002 truncated", F::Price, stored, [](auto& l) { l.price = 334; }, u"1005"_s, u"334"_s, 2, {0, 0},
         {}, 0, -671, -2013, -201, u"P1"_s, false},
        {"tax of 1,002 rounded", F::Price, stored, [](auto& l) { l.price = 334; }, u"1005"_s, u"334"_s, 2, {0, 1}, {},
         0, -671, -2013, -201, u"P1"_s, false},
        {"tax of 1,002 rounded up", F::Price, stored, [](auto& l) { l.price = 334; }, u"1005"_s, u"334"_s, 2, {0, 2},
         {}, 0, -671, -2013, -200, u"P1"_s, false},
        {"VAT typed by hand", F::Tax, stored, [](auto& l) { l.tax = 300; }, u"301"_s, u"300"_s, 2, {}, {}, 0, 0, 0,
         -1, u"P1"_s, false},
        {"amount decimals: 3 × 0.333 is 1.00", F::Price, stored, [](auto& l) { l.price = 0.333; }, u"1005"_s,
         u"0.333"_s, 2, {2, 0}, {}, 0, 0.333 - 1005, -3014, -301, u"P1"_s, false},
        {"an amount without a price is split back, VAT included", F::Amount, freeText,
         [](auto& l) { l.amount = 11000; }, u"0"_s, u"11000"_s, 1, {}, {}, 0, 0, 10000, 1000, kFree, false},
        {"an amount without a price, VAT on top", F::Amount, freeText, [](auto& l) { l.amount = 11000; }, u"0"_s,
         u"11000"_s, 2, {}, {}, 0, 0, 11000, 1100, kFree, false},
        {"an amount without a price, no VAT", F::Amount, freeText, [](auto& l) { l.amount = 11000; }, u"0"_s,
         u"11000"_s, 0, {}, {}, 0, 0, 11000, 0, kFree, false},
        {"an amount beside a price is taken as typed", F::Amount, stored, [](auto& l) { l.amount = 3000; },
         u"3015"_s, u"3000"_s, 2, {}, {}, 0, 0, -15, 0, u"P1"_s, false},
        {"norm of another product: its price, its VAT mode, its unit", F::Norm, stored,
         [](auto& l) { l.pnorm = u"WM-20"_s; }, u"WM-10"_s, u"WM-20"_s, 2, {}, u"pnorm=WM-20,pcode=P2"_s, 0, 995,
         2985, -301, u"P2"_s, true},
        {"norm of no registered product is only text", F::Norm, stored, [](auto& l) { l.pnorm = u"특주"_s; },
         u"WM-10"_s, u"특주"_s, 2, {}, u"pnorm=특주"_s, 0, 0, 0, 0, u"P1"_s, false},
        {"a product without a price keeps the line's", F::Product, stored, chosen(u"P3"_s, u"필터"_s), u"세탁기"_s,
         u"필터"_s, 2, {}, u"pcode=P3,pname=필터,pnorm=,charge=01"_s, 0, 0, 0, 0, u"P3"_s, false},
        {"a free-text product takes the customer's VAT", F::Product, stored, chosen(kFree, u"설치비"_s), u"세탁기"_s,
         u"설치비"_s, 1, {}, u"pcode=000000,pname=설치비,pnorm=,charge=01"_s, 0, 0, -274, -27, kFree, false},
        {"a quoted text goes as typed", F::Memo, stored, none, {}, u"O'Neil \\ 2"_s, 2, {}, u"prnbigo=O'Neil \\ 2"_s,
         0, 0, 0, 0, u"P1"_s, false},
        {"day", F::Day, stored, none, u"10"_s, u"2026-03-12"_s, 2, {}, u"dealdate=2026-03-12"_s, 0, 0, 0, 0, u"P1"_s,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const SaleLineEdit::Cells before = c.base();
        SaleLineEdit::Cells line = before;
        c.typed(line);
        const SaleLineEdit::Result r =
            SaleLineEdit::apply(c.field, line, c.oldText, c.newText, catalogue(c.vat, c.options));
        EXPECT_EQ(texts(r.change), c.texts);
        EXPECT_DOUBLE_EQ(r.change.qnt, c.qnt);
        EXPECT_DOUBLE_EQ(r.change.price, c.price);
        EXPECT_DOUBLE_EQ(r.change.amount, c.amount);
        EXPECT_DOUBLE_EQ(r.change.tax, c.tax);
        EXPECT_EQ(r.after.pcode, c.pcodeAfter);
        EXPECT_EQ(r.unitChanged, c.unitChanged);
        // The cells shown afterwards are what is stored: the old ones plus the differences.
        EXPECT_NEAR(r.after.amount, before.amount + r.change.amount, 1e-9);
        EXPECT_NEAR(r.after.tax, before.tax + r.change.tax, 1e-9);
        EXPECT_NEAR(r.after.price, before.price + r.change.price, 1e-9);
        EXPECT_FALSE(r.productPrice);
    }
}

TEST(SaleLineEditRule, AnEditedPriceBecomesTheProductsOnlyWhenTheOptionSaysAndTheProductIsRegistered)
{
    const auto edit = [](SaleLineEdit::Cells line, bool option) {
        line.price = 990;
        return SaleLineEdit::apply(F::Price, line, u"1005"_s, u"990"_s, catalogue(2, {}, option)).productPrice;
    };
    EXPECT_EQ(edit(stored(), true), std::optional(990.0));
    EXPECT_FALSE(edit(stored(), false));
    EXPECT_FALSE(edit(freeText(), true));
    // Other columns never touch the product.
    SaleLineEdit::Cells line = stored();
    line.qnt = 4;
    EXPECT_FALSE(SaleLineEdit::apply(F::Quantity, line, u"3"_s, u"4"_s, catalogue(2, {}, true)).productPrice);
}

TEST(SaleLineEditRule, ANewRowIsStoredWithItsProductsPriceAndTheVatSplit)
{
    struct Case {
        const char* what;
        QString ccode, pcode, day;
        double typedQnt;
        int vat;
        VatOptions options;
        R refusal;
        double qnt, price, amount, tax;
    } cases[] = {
        {"no customer", {}, u"P1"_s, u"5"_s, 3, 2, {}, R::NoCustomer, 0, 0, 0, 0},
        {"no product", u"C1"_s, {}, u"5"_s, 3, 2, {}, R::NoProduct, 0, 0, 0, 0},
        {"a day the month lacks", u"C1"_s, u"P1"_s, u"30"_s, 3, 2, {}, R::NoDate, 0, 0, 0, 0},
        {"a day that is no number", u"C1"_s, u"P1"_s, u"x"_s, 3, 2, {}, R::NoDate, 0, 0, 0, 0},
        {"VAT on top", u"C1"_s, u"P1"_s, u"5"_s, 3, 2, {}, R::None, 3, 1005, 3015, 301},
        {"no quantity typed is one", u"C1"_s, u"P1"_s, u"5"_s, 0, 2, {}, R::None, 1, 1005, 1005, 100},
        {"VAT included", u"C1"_s, u"P1"_s, u" 5"_s, 1, 1, {}, R::None, 1, 1005, 914, 91},
        {"an untaxed product for a customer paying VAT", u"C1"_s, u"P2"_s, u"28"_s, 2, 2, {}, R::None, 2, 2000, 4000,
         0},
        {"a free-text line starts without a price", u"C1"_s, kFree, u"5"_s, 2, 2, {}, R::None, 2, 0, 0, 0},
        {"amount decimals round the product", u"C1"_s, u"P4"_s, u"5"_s, 3, 2, {2, 1}, R::None, 3, 0.335, 1.01, 0},
        {"amount decimals off", u"C1"_s, u"P4"_s, u"5"_s, 30, 2, {0, 1}, R::None, 30, 0.335, 10, 1},
    };
    EXPECT_EQ(SaleLineEdit::dateOfDay(u"2026-02"_s, u" 5"_s), u"2026-02-05"_s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SaleLine typed;
        typed.ccode = c.ccode;
        typed.pcode = c.pcode;
        typed.qnt = c.typedQnt;
        typed.dealdate = SaleLineEdit::dateOfDay(u"2026-02"_s, c.day);
        typed.receiptname = u"홍길동"_s;
        const SaleLineEdit::NewLine n = SaleLineEdit::insert(typed, catalogue(c.vat, c.options));
        EXPECT_EQ(n.refusal, c.refusal);
        if (c.refusal != R::None)
            continue;
        EXPECT_EQ(n.line.receiptname, u"홍길동"_s);
        EXPECT_DOUBLE_EQ(n.line.qnt, c.qnt);
        EXPECT_DOUBLE_EQ(n.line.price, c.price);
        EXPECT_DOUBLE_EQ(n.line.amount, c.amount);
        EXPECT_DOUBLE_EQ(n.line.tax, c.tax);
        EXPECT_DOUBLE_EQ(n.line.total, c.amount + c.tax);
    }
}

TEST(SaleLineEditRule, AChosenProductFillsTheRowAndAFreeTextOneKeepsOnlyItsName)
{
    SaleLineEdit::Cells typed;
    typed.pname = u"세탁"_s;
    typed.pnorm = u"old"_s;
    typed.unit = u"old"_s;

    const std::optional<SaleLineEdit::Cells> product = SaleLineEdit::chosen(typed, u"P1"_s, u"세탁기"_s, u"07"_s,
                                                                            catalogue(2));
    ASSERT_TRUE(product);
    EXPECT_EQ(QStringList({product->pcode, product->pname, product->pnorm, product->unit, product->bcode,
                           product->charge}),
              QStringList({u"P1"_s, u"세탁기"_s, u"WM-10"_s, u"대"_s, u"880"_s, u"07"_s}));

    typed.charge = u"03"_s;
    const std::optional<SaleLineEdit::Cells> free = SaleLineEdit::chosen(typed, kFree, u"출장비"_s, u"07"_s,
                                                                         catalogue(2));
    ASSERT_TRUE(free);
    EXPECT_EQ(QStringList({free->pcode, free->pname, free->pnorm, free->unit, free->bcode, free->charge}),
              QStringList({kFree, u"출장비"_s, {}, {}, {}, u"03"_s}));

    EXPECT_FALSE(SaleLineEdit::chosen(typed, u"P9"_s, u"없는상품"_s, u"07"_s, catalogue(2)));
}

} // namespace
} // namespace asv
