#pragma once

#include "DbFixture.h"
#include "modMySQL_Func.h"

namespace asv::test {

// Two salespeople, each the main salesperson of one customer, two products of different classes,
// the clock in March 2026.
struct PeriodReportFixture : DbFixture {
    PeriodReportFixture() : DbFixture(QDateTime(QDate(2026, 3, 20), QTime(10, 0)))
    {
        sql(QStringLiteral("INSERT INTO local_user (code, name) VALUES ('01', '김영업'), ('02', '이영업')"));
        sql(QStringLiteral("INSERT INTO customer (code, compname, compalias, charge) VALUES "
                           "('C00001', '한빛상사', '한빛', '01'), ('C00002', '다른상사', '다른', '02')"));
        sql(QStringLiteral("INSERT INTO product (code, name, norm, unit, classname) VALUES "
                           "('P00001', '세탁기', 'WM-10', '대', '가전'), ('P00002', '필터', 'F-1', '개', '부품')"));
        sql(QStringLiteral("INSERT INTO pclass (code, name) VALUES ('0001', '가전'), ('0002', '부품')"));
    }

    // A sale line entered by the salesperson `charge`; total = amount + tax.
    static void sale(const QString& ccode, const QString& date, double qnt, double amount,
                     const QString& charge = QStringLiteral("01"), const QString& pcode = QStringLiteral("P00001"))
    {
        const double tax = amount / 10;
        sql(QStringLiteral("INSERT INTO sale (ccode, pcode, pname, qnt, price, amount, tax, total, dealdate, charge) "
                           "SELECT '%1', code, name, %2, %3 / %2, %3, %4, %3 + %4, '%5', '%6' FROM product "
                           "WHERE code = '%7'")
                .arg(ccode, QString::number(qnt), QString::number(amount), QString::number(tax), date, charge,
                     pcode));
    }
};

} // namespace asv::test
