#pragma once

#include "DbFixture.h"
#include "DocumentBalances.h"
#include "modMySQL_Func.h"

namespace asv::test {

// 가나상사 (000001) owes 50,000 and 다라상회 (000002) 20,000 from the start.
struct ReceiveFixture : DbFixture {
    static inline const QString kA = QStringLiteral("000001");
    static inline const QString kB = QStringLiteral("000002");

    explicit ReceiveFixture(const QDateTime& now = {}) : DbFixture(now)
    {
        DBExecute(QStringLiteral("INSERT INTO customer (code, compname, basemoney, nowmoney) VALUES "
                                 "('000001', '가나상사', 50000, 50000), ('000002', '다라상회', 20000, 20000)"));
    }
    static double balance(const QString& code)
    {
        return DBGetValue(QStringLiteral("SELECT nowmoney FROM customer WHERE code = '%1'").arg(code)).toDouble();
    }
};

} // namespace asv::test
