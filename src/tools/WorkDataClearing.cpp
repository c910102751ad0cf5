#include "WorkDataClearing.h"

#include "AppState.h"
#include "CustomerBalance.h"
#include "CustomerStore.h"
#include "DbError.h"
#include "cMySQL.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

using namespace Qt::StringLiterals;

namespace asv {

QStringList WorkDataClearing::statements(bool customers, bool products)
{
    QStringList out{u"DELETE FROM sale"_s, u"DELETE FROM receive"_s, u"DELETE FROM aslist_m"_s,
                    u"DELETE FROM aslist_d"_s, CustomerBalance::clearAllSql()};
    if (customers)
        out << CustomerStore::deleteAllSql();
    if (products)
        out << u"DELETE FROM product WHERE code <> '000000'"_s << u"DELETE FROM ascode WHERE pcode <> '000000'"_s;
    return out;
}

bool WorkDataClearing::isAdministratorPassword(const QString& typed)
{
    return DBRecordCount(u"local_user"_s, u"loginid = 'ADMIN' AND loginpwd = '"_s + SQLQuote(typed) + u"'"_s) > 0;
}

void WorkDataClearing::execute(const QString& sql)
{
    DBExecute(sql, true);
    if (DBLastFailed())
        throw DbError(DBLastErrno(), u"cMysql::query"_s, DBConnection(0)->lastError());
}

bool WorkDataClearing::administratorOnly()
{
    if (App().isAdministrator())
        return true;
    MsgInfo(u"이 기능은 관리자(ADMIN)로 로그인한 경우만 처리가능합니다."_s + vbCrLf + u"관리자로 로그인후 다시 시도 하세요."_s);
    return false;
}

} // namespace asv
