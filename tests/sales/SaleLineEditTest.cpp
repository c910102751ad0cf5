#include "SaleLineEdit.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace asv {
namespace {

using F = SaleLineEdit::Field;

// The customer pays VAT on top; 세탁기 WM-10 (1,005 a piece) is taxed, its WM-20 (2,000, another
// unit) is not, and 필터 has no price of its own.
SaleLineEdit::Catalogue catalogue()
{
    static const QHash<QString, std::pair<SaleLineEdit::Product, int>> products{
        {u"P1"_s, {{u"대"_s, u"880"_s, 1005}, 2}},
        {u"P2"_s, {{u"세트"_s, u"881"_s, 2000}, 0}},
        {u"P3"_s, {{u"개"_s, {}, 0}, 2}}};
    return {[](const QString& pcode) { return products.contains(pcode) ? products[pcode].second : 2; },
            [](const QString& pcode) -> std::optional<SaleLineEdit::Product> {
                if (!products.contains(pcode))
                    return std::nullopt;
                return products[pcode].first;
            },
            [](const QString& name, const QString& norm) {
                if (name == u"세탁기"_s && norm == u"WM-10"_s)
                    return u"P1"_s;
                return name == u"세탁기"_s && norm == u"WM-20"_s ? u"P2"_s : u"000000"_s;
            }};
}

// 3 × 1,005 of P1: 3,015 + 301.
SaleLineEdit::Cells stored()
{
    return {u"P1"_s, u"세탁기"_s, u"WM-10"_s, u"대"_s, u"880"_s, u"01"_s, 3, 1005, 3015, 301};
}

// The product cells as the slip fills them once a product was chosen.
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

TEST(SaleLineEditRule, WhatEachEditedColumnWrites)
{
    struct Case {
        const char* what;
        F field;
        std::function<void(SaleLineEdit::Cells&)> typed; // the cells once the operator's text is in
        QString oldText, newText;
        QString texts;
        double qnt, price, amount, tax;
        QString pcodeAfter;
        bool unitChanged;
    } cases[] = {
        {"quantity 3 → 5 writes differences only", F::Quantity, [](auto& l) { l.qnt = 5; }, u"3"_s, u"5"_s, {},
         2, 0, 2010, 201, u"P1"_s, false},
        {"price", F::Price, [](auto& l) { l.price = 1000; }, u"1005"_s, u"1000"_s, {}, 0, -5, -15, -1, u"P1"_s, false},
        {"norm of another product: its price, its VAT mode, its unit", F::Norm, [](auto& l) { l.pnorm = u"WM-20"_s; },
         u"WM-10"_s, u"WM-20"_s, u"pnorm=WM-20,pcode=P2"_s, 0, 995, 2985, -301, u"P2"_s, true},
        {"norm of no registered product is only text", F::Norm, [](auto& l) { l.pnorm = u"특주"_s; }, u"WM-10"_s,
         u"특주"_s, u"pnorm=특주"_s, 0, 0, 0, 0, u"P1"_s, false},
        {"a product without a price keeps the line's", F::Product, chosen(u"P3"_s, u"필터"_s), u"세탁기"_s, u"필터"_s,
         u"pcode=P3,pname=필터,pnorm=,charge=01"_s, 0, 0, 0, 0, u"P3"_s, false},
        {"a free-text product takes the customer's VAT", F::Product, chosen(u"000000"_s, u"설치비"_s), u"세탁기"_s,
         u"설치비"_s, u"pcode=000000,pname=설치비,pnorm=,charge=01"_s, 0, 0, 0, 0, u"000000"_s, false},
        {"an amount beside a price is taken as typed", F::Amount, [](auto& l) { l.amount = 3000; }, u"3015"_s,
         u"3000"_s, {}, 0, 0, -15, 0, u"P1"_s, false},
        {"day", F::Day, [](auto&) {}, u"10"_s, u"2026-03-12"_s, u"dealdate=2026-03-12"_s, 0, 0, 0, 0, u"P1"_s, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SaleLineEdit::Cells line = stored();
        c.typed(line);
        const SaleLineEdit::Result r = SaleLineEdit::apply(c.field, line, c.oldText, c.newText, catalogue());
        EXPECT_EQ(texts(r.change), c.texts);
        EXPECT_DOUBLE_EQ(r.change.qnt, c.qnt);
        EXPECT_DOUBLE_EQ(r.change.price, c.price);
        EXPECT_DOUBLE_EQ(r.change.amount, c.amount);
        EXPECT_DOUBLE_EQ(r.change.tax, c.tax);
        EXPECT_EQ(r.after.pcode, c.pcodeAfter);
        EXPECT_EQ(r.unitChanged, c.unitChanged);
        // The cells shown afterwards are what is stored: the old ones plus the differences.
        const SaleLineEdit::Cells before = stored();
        if (r.repriced) {
            EXPECT_DOUBLE_EQ(r.after.amount, before.amount + r.change.amount);
            EXPECT_DOUBLE_EQ(r.after.tax, before.tax + r.change.tax);
        }
    }
}

} // namespace
} // namespace asv
