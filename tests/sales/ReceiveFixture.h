#pragma once

#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace asv::test {

using namespace Qt::StringLiterals;

// Customers with opening balances, and the check that every running balance still equals the
// one the documents give.
struct ReceiveFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    static void addCustomer(const QString& code, const QString& name, double opening)
    {
        const QString money = QString::number(opening);
        DBExecute(u"INSERT INTO customer (code, compname, basemoney, nowmoney) VALUES ('%1', '%2', %3, %3)"_s.arg(
            code, name, money));
    }
    static double balance(const QString& code)
    {
        return DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '%1'"_s.arg(code)).toDouble();
    }
    // "code: running ≠ computed" for every customer whose running balance strays from the documents.
    static QStringList strayBalances()
    {
        RecordSetPtr rs;
        const int n = DBOpenRS(
            rs, u"SELECT code, nowmoney, computed FROM (SELECT c.code, c.nowmoney, c.basemoney"
                " + IFNULL((SELECT SUM(s.total) FROM sale s WHERE s.ccode = c.code), 0)"
                " + IFNULL((SELECT SUM(d.amount) FROM aslist_m m JOIN aslist_d d ON d.code = m.code"
                " WHERE m.ccode = c.code AND d.isfree = 0), 0)"
                " - IFNULL((SELECT SUM(r.amount + r.dc) FROM receive r WHERE r.ccode = c.code), 0) AS computed"
                " FROM customer c) AS b WHERE nowmoney <> computed"_s);
        QStringList stray;
        for (int row = 0; row < n; ++row)
            stray << rs->value(row, 0) + u": "_s + rs->value(row, 1) + u" ≠ "_s + rs->value(row, 2);
        return stray;
    }
};

} // namespace asv::test
