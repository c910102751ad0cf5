#pragma once

#include "AppState.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace asv::test {

// An office with one user in charge and customers that exercise the joins: one without a user in
// charge, one whose user was deleted, one hidden.
struct CustomerListFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    CustomerListFixture()
    {
        using namespace Qt::StringLiterals;
        App().EditionCode.clear();
        App().UserCode = u"00"_s;
        DBExecute(u"INSERT INTO local_user (code, loginid, name) VALUES ('01', 'KIM', '김담당')"_s);
        DBExecute(
            u"INSERT INTO customer (code, compname, compalias, ceoname, telno1, telno2, hpno, fax, charge, addr1, addr2, bigo, "
            u"hidden, nowmoney, modelname, serialnumber) VALUES "
            u"('000001', '대한상사', '대한', '김대한', '02-1234-5678', '', '', '', '01', '서울시 중구', '1번지', '', 0, 15000, '', ''), "
            u"('000002', '한빛전자', '가나', '이한빛', '031-555-1234', '', '010-9876-5432', '', '01', '', '', '계좌 123', 0, 0, 'TV-7', 'SN77'), "
            u"('000003', '무담당상회', '무담당', '', '051-777-8888', '', '', '', '', '', '', '', 0, 0, '', ''), "
            u"('000004', '퇴사담당상사', '퇴사', '', '', '', '', '', '09', '', '', '', 0, 0, '', ''), "
            u"('000005', '숨김상사', '숨김', '', '02-1234-5678', '', '', '', '01', '', '', '', 1, 0, '', ''), "
            u"('000006', '대한정밀', '', '', '', '0212345678', '', '', '01', '', '', '', 0, 0, '', '')"_s);
    }
    ~CustomerListFixture() override { App().EditionCode.clear(); }

    // The code column of a statement's rows, in their order.
    static QStringList codes(const QString& sql)
    {
        using namespace Qt::StringLiterals;
        RecordSetPtr rs;
        DBOpenRS(rs, sql);
        QStringList out;
        for (int r = 0; rs && r < rs->rowCount(); ++r)
            out << rs->value(r, u"code"_s);
        return out;
    }
};

} // namespace asv::test
