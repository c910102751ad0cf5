#pragma once

#include "Clock.h"
#include "ConfigKeys.h"
#include "SmsSenderFixture.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

// Customers with AS jobs on a fixed day, and a recorded sender program: 가상사 has a mobile number,
// 나상사 only a mobile-looking telephone, 다상사 no mobile number at all, 숨김상사 is hidden.
struct SmsCustomersFixture : SmsSenderFixture {
    asv::test::TestDatabase db;

    SmsCustomersFixture()
    {
        using namespace Qt::StringLiterals;
        asv::Clock::setFixed(QDateTime(QDate(2026, 2, 10), QTime(9, 0)));
        asv::ConfigKeys::SmsSenderFolder.set(installSender(senderFolder()));
        asv::DBExecute(u"INSERT INTO customer (code, compname, telno1, fax, hpno, nowmoney, hidden) VALUES "
                       u"('000001', '가상사', '02-111-1111', '02-111-9999', '010-1111-1111', 12345, 0), "
                       u"('000002', '나상사', '011-222-2222', '', '', 0, 0), "
                       u"('000003', '다상사', '031-333-3333', '', '', 0, 0), "
                       u"('000004', '숨김상사', '', '', '010-4444-4444', 0, 1)"_s);
        asv::DBExecute(u"INSERT INTO aslist_m (code, ccode, dealdate, resvdate2) VALUES "
                       u"(1, '000001', '2026-01-10', '2026-02-01'), (2, '000002', '2025-06-01', ''), "
                       u"(3, '000004', '2026-01-10', '2026-02-01')"_s);
    }
    ~SmsCustomersFixture() override { asv::Clock::clearFixed(); }
};
