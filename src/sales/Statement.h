#pragma once

#include <QList>
#include <QString>

namespace asv {

// A party on the statement, as its business registration shows it.
struct StatementParty {
    QString name;
    QString regNo;
    QString ceo;
    QString address;
    QString business; // 업태
    QString item;     // 종목
    QString tel;
};

struct StatementLine {
    QString date; // yyyy-MM-dd
    QString product;
    QString norm;
    double qty = 0;
    double price = 0;
    double amount = 0;
    double tax = 0;
};

// The transaction statement handed over with a delivery: the lines, their sums, and the
// customer's balance before and after them.
struct Statement {
    StatementParty supplier;
    StatementParty recipient;
    QString ccode;
    QString email;
    QString from; // the dates the statement covers
    QString to;
    QList<StatementLine> lines;
    double previousBalance = 0; // every document dated before `from`
    double received = 0;        // payments and discounts dated within the period

    double amount() const;
    double tax() const;
    double total() const { return amount() + tax(); }
    double balanceAfter() const { return previousBalance + total() - received; }
};

} // namespace asv
