#pragma once

#include "DbFixture.h"
#include "modMySQL_Func.h"

namespace asv::test {

using namespace Qt::StringLiterals;

// March 2026 is the period. 가나 owes 1,000 from the start, buys for 5,000, pays 2,000 with 100
// discount and is charged 300 for an AS line (a free one of 700 beside it) in February: 4,200
// carried; in March it buys for 1,000, is charged 200 and pays 500. 다라 has nothing, 마바 buys
// and pays 1,000 in March, 나사 carries its opening 300 only, and 자차's salesperson is gone.
struct BalanceFixture : DbFixture {
    BalanceFixture() : DbFixture(QDateTime(QDate(2026, 4, 2), QTime(10, 0)))
    {
        sql(u"INSERT INTO local_user (code, name) VALUES ('01', '김영업')"_s);
        sql(u"INSERT INTO customer (code, compname, compalias, charge, basemoney, hpno) VALUES "
            "('C00001', '가나상사', '가나', '01', 1000, '010-1111-2222'), ('C00002', '다라상사', '다라', '01', 0, ''), "
            "('C00003', '마바상사', '마바', '01', 0, ''), ('C00004', '자차상사', '자차', '99', 500, ''), "
            "('C00005', '나사상사', '나사', '01', 300, '')"_s);
        sale(u"C00001"_s, u"2026-02-10"_s, u"5000"_s);
        receive(u"C00001"_s, u"2026-02-20"_s, u"2000"_s, u"100"_s);
        asLine(u"C00001"_s, u"2026-02-15"_s, u"300"_s, u"700"_s);
        sale(u"C00001"_s, u"2026-03-05"_s, u"1000"_s);
        asLine(u"C00001"_s, u"2026-03-06"_s, u"200"_s, u"0"_s);
        receive(u"C00001"_s, u"2026-03-07"_s, u"500"_s, u"0"_s);
        sale(u"C00003"_s, u"2026-03-10"_s, u"1000"_s);
        receive(u"C00003"_s, u"2026-03-10"_s, u"1000"_s, u"0"_s);
        sale(u"C00004"_s, u"2026-03-10"_s, u"800"_s);
    }

    static void sale(const QString& ccode, const QString& date, const QString& total)
    {
        sql(u"INSERT INTO sale (ccode, pcode, dealdate, amount, total) VALUES ('%1', '000000', '%2', %3, %3)"_s.arg(
            ccode, date, total));
    }
    static void receive(const QString& ccode, const QString& date, const QString& amount, const QString& dc)
    {
        sql(u"INSERT INTO receive (ccode, dealdate, amount, dc) VALUES ('%1', '%2', %3, %4)"_s.arg(ccode, date,
                                                                                                   amount, dc));
    }
    // A job with a charged line and a free one.
    static void asLine(const QString& ccode, const QString& date, const QString& charged, const QString& free)
    {
        sql(u"INSERT INTO aslist_m (ccode, pcode, dealdate) VALUES ('%1', '000000', '%2')"_s.arg(ccode, date));
        const QString job = QString::number(DBInsertId());
        sql(u"INSERT INTO aslist_d (code, seq, pcode, amount, isfree) VALUES (%1, 1, '000000', %2, 0), "
            "(%1, 2, '000000', %3, 1)"_s.arg(job, charged, free));
    }
};

} // namespace asv::test
