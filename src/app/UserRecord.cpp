#include "UserRecord.h"

#include "HCTextRules.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

const FieldTable<UserRecord>& UserRecord::fields()
{
    using U = UserRecord;
    constexpr int text = TextKind::AnyText;
    constexpr int tel = TextKind::Telephone;
    static const FieldTable<U> table{
        {u"code"_s, &U::code, u"htCode"_s, u"코드"_s, 2, text, true},
        {u"loginid"_s, &U::loginId, u"htLoginId"_s, u"아이디"_s, 20, text, true},
        {u"loginpwd"_s, &U::password, u"htPassword"_s, u"암호"_s, 20, text},
        {u"name"_s, &U::name, u"htName"_s, u"성명"_s, 20, text, true},
        {u"telno"_s, &U::telno, u"htTelNo"_s, u"전화번호"_s, 20, tel},
        {u"hpno"_s, &U::hpno, u"htHpNo"_s, u"휴대폰"_s, 20, tel},
        {u"serial"_s, &U::serial, u"htSerial"_s, u"주민등록번호"_s, 15, text},
        {u"zipcode"_s, &U::zipcode, u"htZipcode"_s, u"우편번호"_s, 7, text},
        {u"addr1"_s, &U::addr1, u"htAddr1"_s, u"주소"_s, 100, text},
        {u"addr2"_s, &U::addr2, u"htAddr2"_s, u"상세주소"_s, 100, text},
        {u"bigo"_s, &U::bigo, u"htBigo"_s, u"메모"_s, 200, text},
        {u"pdause"_s, &U::pdaUse, u"chkPDA"_s, u"PDA 사용"_s},
        {u"consult"_s, &U::consult, u"chkConsult"_s, u"전화상담자"_s},
    };
    return table;
}

} // namespace asv
