#include "CustomerRecord.h"

#include "HCTextRules.h"

using namespace Qt::StringLiterals;

namespace asv {

const FieldTable<CustomerRecord>& CustomerRecord::fields()
{
    using C = CustomerRecord;
    constexpr int text = TextKind::AnyText;
    constexpr int tel = TextKind::Telephone;
    constexpr int number = TextKind::Number;
    static const FieldTable<C> table{
        {u"code"_s, &C::code, u"htCode"_s, u"코드"_s, 6, text, true},
        {u"compname"_s, &C::compname, u"htCompName"_s, u"상호명"_s, 40, text, true},
        {u"ceoname"_s, &C::ceoname, u"htCeoName"_s, u"대표자"_s, 20, text},
        {u"telno1"_s, &C::telno1, u"htTelNo1"_s, u"전화번호"_s, 14, tel},
        {u"fax"_s, &C::fax, u"htFax"_s, u"팩스"_s, 14, tel},
        {u"hpno"_s, &C::hpno, u"htHpNo"_s, u"휴대폰"_s, 14, tel},
        {u"compsn"_s, &C::compsn, u"htCompSn"_s, u"사업자(주민)번호"_s, 15, text},
        {u"status"_s, &C::status, u"htStatus"_s, u"업태"_s, 40, text},
        {u"item"_s, &C::item, u"htItem"_s, u"종목"_s, 40, text},
        {u"modelname"_s, &C::modelname, u"htModelName"_s, u"모델명"_s, 100, text},
        {u"agency"_s, &C::agency, u"htAgency"_s, u"대리점"_s, 100, text},
        {u"giftname"_s, &C::giftname, u"htGiftName"_s, u"사은품"_s, 100, text},
        {u"setupuser"_s, &C::setupuser, u"htSetupUser"_s, u"설치자"_s, 100, text},
        {u"buydate"_s, &C::buydate, u"htBuyDate"_s, u"구입일"_s, 30, text},
        {u"serialnumber"_s, &C::serialnumber, u"htSerialNumber"_s, u"시리얼번호"_s, 100, text},
        {u"zipcode"_s, &C::zipcode, u"htZipcode"_s, u"우편번호"_s, 0, text},
        {u"addr1"_s, &C::addr1, u"htAddr1"_s, u"주소"_s, 100, text},
        {u"addr2"_s, &C::addr2, u"htAddr2"_s, u"상세주소"_s, 100, text},
        {u"bigo"_s, &C::bigo, u"htBigo"_s, u"메모"_s, 200, text},
        {u"basemoney"_s, &C::basemoney, u"htBaseMoney"_s, u"기초잔액"_s, 0, number},
        {u"compalias"_s, &C::compalias, u"htCompAlias"_s, u"약칭"_s, 40, text},
        {u"nowmoney"_s, &C::nowmoney, u"htNowMoney"_s, u"현재잔액"_s, 0, number},
        {u"email"_s, &C::email, u"htEmail"_s, u"이메일"_s, 40, text},
        // The companion window's numbers, the picker, the list and the box of their own.
        {u"telno2"_s, &C::telno2, u"htTelNo2"_s, u"전화번호 2"_s, 14, tel},
        {u"telno3"_s, &C::telno3, u"htTelNo3"_s, u"전화번호 3"_s, 14, tel},
        {u"telno4"_s, &C::telno4, u"htTelNo4"_s, u"전화번호 4"_s, 14, tel},
        {u"charge"_s, &C::charge},
        {u"taxmode"_s, &C::taxmode},
        {u"hidden"_s, &C::hidden, u"chkHidden"_s, u"숨김"_s},
        {u"regdate"_s, &C::regdate},
    };
    return table;
}

} // namespace asv
