#include "modMain_dbPatch.h"

#include "ClusterStructure.h"
#include "ConfigKeys.h"
#include "ConsultTextColumns.h"
#include "cMySQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <mysqld_error.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kModule = u"modMain_dbPatch"_s;

QString readVersionText()
{
    return DBGetValue(u"SELECT ver FROM dbversion WHERE dbid='main'"_s);
}

QString upgradeNotice()
{
    const QString rule(74, u'=');
    const QStringList lines = {
        u"< 데이터베이스 구조 업그레이드 >"_s,
        {},
        rule,
        {},
        u"현재 버전을 사용하기 위해서는 데이터베이스 구조가 업그레이드 되어야 합니다."_s,
        u"업그레이드를 진행할시 다음사항에 주의바랍니다."_s,
        {},
        u"1. 업그레이드시 모든 컴퓨터를 최신버전으로 재설치해야 합니다."_s,
        u"   재설치하지 않을 경우 접속을 할수 없습니다."_s,
        u"   현장이나 매장과 같이 지금당장 재설치를 할수없는 상황의 컴퓨터가 "_s,
        u"   존재하면 업그레이드를 나중에 진행하길 권장합니다."_s,
        {},
        rule,
        {},
        u"지금 DB업그레이드를 진행하시겠습니까?"_s,
    };
    return lines.join(vbCrLf);
}

// Old servers took TYPE=InnoDB, an empty-text default on an integer and a default on a text
// column; MySQL 5.7/8 in strict mode refuse all three (the last with error 1101, which would
// leave the table missing). So the texts get the form the server takes.
QString createRsvconsult(const QString& text)
{
    return u"CREATE TABLE `rsvconsult` ("
           "`code` int(10) unsigned NOT NULL auto_increment,"
           "`ocode` smallint(5) unsigned NOT NULL default '1',"
           "`ctelno` varchar(15) NOT NULL default '',"
           "`cname` varchar(40) NOT NULL default '',"
           "`ccode` varchar(6) NOT NULL default '',"
           "`regucode` varchar(6) NOT NULL default '',"
           "`condate` varchar(10) NOT NULL default '0000-00-00',"
           "`contime` varchar(5) NOT NULL default '00:00',"
           "`pcode` varchar(6) NOT NULL default '',"
           "`pname` %1,"
           "`concode` int(10) unsigned NOT NULL default '0',"
           "`refernote` %1,"
           "`connote` %1,"
           "`state` tinyint(1) NOT NULL default '0',"
           "`editdate` varchar(10) NOT NULL default '0000-00-00',"
           "`edittime` varchar(5) NOT NULL default '00:00',"
           "PRIMARY KEY (`code`),"
           "KEY `idx_rsvconsult_ocode` (`ocode`),"
           "KEY `idx_rsvconsult_ccode` (`ccode`),"
           "KEY `idx_rsvconsult_regucode` (`regucode`),"
           "KEY `idx_rsvconsult_pcode` (`pcode`),"
           "KEY `idx_rsvconsult_concode` (`concode`)"
           ") ENGINE=InnoDB COMMENT='전화 수신 상담내역';"_s.arg(text);
}

// The older program made it without a key, which a cluster needs; an invisible one leaves its
// statements working, on servers that have invisible columns.
QString createUserstate(const QString& serverVersion)
{
    const QString key = ClusterStructure::takesInvisibleKey(serverVersion)
        ? u","_s + ClusterStructure::rowKeyDefinition()
        : QString();
    return u"CREATE TABLE `userstate` ("
           "`code` char(2) NOT NULL default '',"
           "`ucode` char(2) NOT NULL default '',"
           "`chkdate` varchar(10) NOT NULL default '',"
           "`chktime` varchar(8) NOT NULL default '',"
           "`unixtime` varchar(15) NOT NULL default '',"
           "`state` varchar(10) NOT NULL default '',"
           "`ipaddr` varchar(20) NOT NULL default ''%1"
           ") ENGINE=InnoDB COMMENT='유저상태정보';"_s.arg(key);
}

const QString kCreateTamberlog =
    u"CREATE TABLE `tamberlog` ("
    "`code` int(10) unsigned NOT NULL auto_increment,"
    "`calls_id` varchar(20) NOT NULL default '',"
    "`phone_no` varchar(20) NOT NULL default '',"
    "`client_check` varchar(20) NOT NULL default '',"
    "PRIMARY KEY (`code`)"
    ") ENGINE=InnoDB COMMENT='Tamber 주문개발 MS SQL Log 정보';"_s;


} // namespace

QString SupportTelephone()
{
    return ConfigKeys::SupportTelephone.get();
}

int DBStructureVersion()
{
    return readVersionText().toInt();
}

QStringList UpgradeStepStatements(int step)
{
    const cMySQL* c = DBConnection(0);
    return UpgradeStepStatements(step, c ? c->get_server_info() : QString());
}

QStringList UpgradeStepStatements(int step, const QString& serverVersion)
{
    switch (step) {
    case 2:
        return {createRsvconsult(ConsultTextColumns::definition(serverVersion)), u"ALTER TABLE local_user ADD consult tinyint(1) NOT NULL default '0'"_s,
                u"UPDATE local_user SET consult = 1 WHERE 1=1"_s};
    case 3: return {createUserstate(serverVersion)};
    case 4:
        return {u"ALTER TABLE `customer` ADD `modelname` VARCHAR(100) DEFAULT '' NOT NULL"_s,
                u"ALTER TABLE `aslist_d` ADD `senddate` VARCHAR(30) DEFAULT '' NOT NULL"_s};
    case 5: return {kCreateTamberlog};
    case 6: return {u"ALTER TABLE `customer` CHANGE `addr2` `addr2` VARCHAR(100) DEFAULT '' NOT NULL  ;"_s};
    case 7: return {u"ALTER TABLE `customer` CHANGE `bigo` `bigo` VARCHAR(200) DEFAULT '' NOT NULL"_s};
    case 8: return {u"ALTER TABLE `sale` ADD `receiptname` VARCHAR(50) DEFAULT '' NOT NULL"_s};
    case 9: return {u"ALTER TABLE `customer` ADD `agency` VARCHAR(100) DEFAULT '' NOT NULL"_s};
    case 10: return {u"ALTER TABLE `customer` ADD `giftname` VARCHAR(100) DEFAULT '' NOT NULL"_s};
    case 11: return {u"ALTER TABLE `customer` ADD `setupuser` VARCHAR(100) DEFAULT '' NOT NULL"_s};
    case 12: return {u"ALTER TABLE `customer` ADD `buydate` VARCHAR(30) DEFAULT '' NOT NULL"_s};
    case 13: return {u"ALTER TABLE `customer` ADD `serialnumber` VARCHAR(100) DEFAULT '' NOT NULL"_s};
    case 14: return {u"ALTER TABLE `sale` ADD `receiptmemo` VARCHAR(50) DEFAULT '' NOT NULL"_s};
    default: return {};
    }
}

// A step run a second time fails on its own objects, harmlessly. Any other failure leaves the
// structure short of what the version would claim, so the version stays and the next start
// runs the steps again.
bool ChkDBpatch_SUB(int version)
{
    return Guarded(u"ChkDBpatch_SUB"_s, u"Module"_s, kModule, false, [&] {
        bool complete = true;
        for (int step = 2; step <= kProgramDbVersion; ++step) {
            if (version >= step)
                continue;
            for (const QString& sql : UpgradeStepStatements(step)) {
                DBExecute(sql);
                const unsigned int err = DBLastErrno();
                if (DBLastFailed() && err != ER_TABLE_EXISTS_ERROR && err != ER_DUP_FIELDNAME && err != ER_DUP_KEYNAME)
                    complete = false;
            }
        }
        return complete;
    });
}

bool UpgradeStructure(int version)
{
    if (!ChkDBpatch_SUB(version))
        return false;
    DBExecute(u"UPDATE dbversion SET ver = "_s + QString::number(kProgramDbVersion) + u" WHERE dbid = 'main'"_s);
    return !DBLastFailed();
}

bool ChkDBpatch(bool* needsProgramUpgrade)
{
    return Guarded(u"ChkDBpatch"_s, u"Module"_s, kModule, false, [&] {
        const int ver = readVersionText().toInt();
        if (ver > kProgramDbVersion) {
            MsgWarn(FormatMsg(u"데이터베이스 구조가 업그레이드 되었습니다.\r\n\r\n프로그램을 재설치하시기 바랍니다.\r\n\r\n문의전화: %0\r\n\r\nOstraSoft"_s,
                              {SupportTelephone()}));
            if (needsProgramUpgrade)
                *needsProgramUpgrade = true;
            return false;
        }
        if (ver <= 0) {
            MsgInfo(u"데이터베이스가 생성되지 않았습니다."_s + vbCrLf + u"당사로 연락바랍니다. Tel) "_s + SupportTelephone());
            return false;
        }
        if (ver < kProgramDbVersion) {
            if (MsgYesNo(upgradeNotice()) != MsgAnswer::Yes)
                return false;
            // Another desk may have upgraded while the question was open.
            if (const int now = readVersionText().toInt(); now < kProgramDbVersion)
                return UpgradeStructure(now);
        }
        // Nothing else here: a current database is shared by desks at work, so what only speeds
        // the searches up is offered to the administrator after the login, never run at start.
        return true;
    });
}

} // namespace asv
