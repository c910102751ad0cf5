#include "OperatorErrorText.h"

#include "cMySQL.h"

#include <errmsg.h>
#include <mysqld_error.h>

using namespace Qt::StringLiterals;

namespace asv {

QString OperatorErrorText(unsigned int error)
{
    if (cMySQL::isLostConnection(error))
        return u"서버에 연결할 수 없거나 연결이 끊어졌습니다."_s;
    switch (error) {
    case CR_CONNECTION_ERROR:
    case CR_CONN_HOST_ERROR:
    case CR_UNKNOWN_HOST:
        return u"서버에 연결할 수 없거나 연결이 끊어졌습니다."_s;
    case ER_ACCESS_DENIED_ERROR: return u"서버가 접속 계정과 암호를 받아들이지 않았습니다."_s;
    case ER_DBACCESS_DENIED_ERROR:
    case ER_TABLEACCESS_DENIED_ERROR:
    case ER_SPECIFIC_ACCESS_DENIED_ERROR:
        return u"접속 계정에 필요한 권한이 없습니다(오류 번호 %1)."_s.arg(error);
    case ER_DISK_FULL:
    case ER_RECORD_FILE_FULL:
        return u"서버의 디스크 공간이 부족합니다."_s;
    default: return u"서버가 오류 번호 %1(으)로 거부했습니다."_s.arg(error);
    }
}

} // namespace asv
