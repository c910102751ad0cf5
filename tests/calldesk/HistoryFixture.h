#pragma once

#include "AppState.h"
#include "Clock.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <gtest/gtest.h>

namespace asv::test {

// Two consultants, a product, a customer and the clock on a fixed afternoon; the desk's user is
// the first consultant.
struct HistoryFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    static inline const QString kCustomer = QStringLiteral("C00001");
    static inline const QString kNumber = QStringLiteral("0212345678");

    HistoryFixture()
    {
        at(QDate(2026, 3, 10));
        App().UserCode = QStringLiteral("01");
        App().EditionCode.clear();
        sql(QStringLiteral("INSERT INTO local_user (code, name) VALUES ('01', '김상담'), ('02', '이상담')"));
        sql(QStringLiteral("INSERT INTO product (code, name, norm, unit) VALUES ('P00001', '세탁기', 'WM-10', '대')"));
        sql(QStringLiteral("INSERT INTO customer (code, compname) VALUES ('C00001', '한빛상사'), ('C00002', '다른상사')"));
    }
    ~HistoryFixture() override
    {
        Clock::clearFixed();
        App().UserCode.clear();
        App().EditionCode.clear();
    }

    static void at(const QDate& day) { Clock::setFixed(QDateTime(day, QTime(14, 30))); }
    static void sql(const QString& statement)
    {
        DBExecute(statement);
        ASSERT_FALSE(DBLastFailed()) << statement.toStdString();
    }
    // A received call; its code.
    static int call(const QString& ccode, const QString& number, const QString& consultant, const QString& date,
                    const QString& time, int state, const QString& inquiry = {})
    {
        sql(QStringLiteral("INSERT INTO rsvconsult (ccode, ctelno, regucode, condate, contime, state, refernote, "
                           "pname, connote) VALUES ('%1', '%2', '%3', '%4', '%5', %6, '%7', '', '')")
                .arg(ccode, number, consultant, date, time, QString::number(state), inquiry));
        return static_cast<int>(DBInsertId());
    }
};

} // namespace asv::test
