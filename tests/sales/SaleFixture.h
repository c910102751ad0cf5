#pragma once

#include "AppState.h"
#include "DbFixture.h"
#include "DocumentBalances.h"
#include "modMySQL_Func.h"

namespace asv::test {

// Two users, a customer charged VAT on top (opening balance 1,000) and one with VAT included, a
// taxable product at 1,005 and a tax-free one at 500; the clock on 10 March 2026.
struct SaleFixture : DbFixture {
    static inline const QString kOnTop = QStringLiteral("C00001");
    static inline const QString kIncluded = QStringLiteral("C00002");

    SaleFixture() : DbFixture(QDateTime(QDate(2026, 3, 10), QTime(14, 30)))
    {
        App().UserCode = QStringLiteral("01");
        sql(QStringLiteral("INSERT INTO local_user (code, name) VALUES ('01', '김영업'), ('02', '이영업')"));
        sql(QStringLiteral("INSERT INTO product (code, bcode, name, norm, unit, taxmode, saleprice) VALUES "
                           "('P00001', '8801234567893', '세탁기', 'WM-10', '대', 1, 1005), "
                           "('P00002', '', '필터', 'F-1', '개', 0, 500)"));
        sql(QStringLiteral("INSERT INTO customer (code, compname, taxmode, basemoney, nowmoney, charge) VALUES "
                           "('C00001', '한빛상사', 2, 1000, 1000, '01'), ('C00002', '다른상사', 1, 0, 0, '01')"));
    }
    ~SaleFixture() override { App().UserCode.clear(); }
    static double number(const QString& statement) { return DBGetValue(statement).toDouble(); }
    static double balance(const QString& ccode)
    {
        return number(QStringLiteral("SELECT nowmoney FROM customer WHERE code = '%1'").arg(ccode));
    }
};

} // namespace asv::test
