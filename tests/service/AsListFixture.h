#pragma once

#include "DbFixture.h"
#include "FrmRPT_ASList.h"
#include "Grid.h"
#include "modMySQL_Func.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace asv::test {

// Two staff members, two customers, a washer with its norm, a dryer of another class,
// one code of each kind, and the clock in March 2026 (the lists open on this month).
struct AsListFixture : DbFixture {
    AsListFixture() : DbFixture(QDateTime(QDate(2026, 3, 20), QTime(10, 0)))
    {
        sql(QStringLiteral("INSERT INTO local_user (code, name) VALUES ('01', '김기사'), ('02', '이접수')"));
        sql(QStringLiteral("INSERT INTO customer (code, compname, compalias, charge) VALUES "
                           "('C00001', '한빛상사', '한빛', '01'), ('C00002', '다른상사', '다른', '01')"));
        sql(QStringLiteral("INSERT INTO product (code, name, norm, classname) VALUES "
                           "('P00001', '세탁기', 'WM-10', '가전'), ('P00002', '건조기', '', '건조')"));
        sql(QStringLiteral("INSERT INTO ascode (code, pcode, part, name) VALUES (1, '000000', 0, '소음'), "
                           "(2, '000000', 1, '모터'), (3, '000000', 2, '교체')"));
    }

    // A job received by 02 for 01; its number.
    static int job(const QString& ccode, const QString& date, int state,
                   const QString& pcode = QStringLiteral("P00001"), const QString& planned = {})
    {
        sql(QStringLiteral("INSERT INTO aslist_m (ccode, pcode, dealdate, dealtime, regucode, charge, typecode0, "
                           "state, resvdate2) VALUES ('%1', '%2', '%3', '09:30', '02', '01', 1, %4, '%5')")
                .arg(ccode, pcode, date, QString::number(state), planned));
        return static_cast<int>(DBInsertId());
    }

    static void line(int job, int seq, double amount, bool free, const QString& pcode = QStringLiteral("P00001"))
    {
        sql(QStringLiteral("INSERT INTO aslist_d (code, seq, pcode, typecode1, typecode2, workbigo, amount, isfree) "
                           "VALUES (%1, %2, '%3', 2, 3, '', %4, %5)")
                .arg(QString::number(job), QString::number(seq), pcode, QString::number(amount), free ? u"1" : u"0"));
    }
};

// Stands for the reception dialog: holds the number of the job it saved.
struct SavedReception : QWidget {
    explicit SavedReception(int job)
    {
        auto* number = new QLabel(QString::number(job), this);
        number->setObjectName(QStringLiteral("lblCode"));
    }
};

// The amount column of a result list, its total row included.
inline QList<double> amounts(const Grid* grid)
{
    QList<double> values;
    for (int row = 0; row < grid->rowCount(); ++row)
        values << grid->cells().number(row, FrmRPT_ASList::ColAmount);
    return values;
}

} // namespace asv::test
