#include "ProductRecord.h"

#include "HCTextRules.h"

using namespace Qt::StringLiterals;

namespace asv {

const FieldTable<ProductRecord>& ProductRecord::fields()
{
    using P = ProductRecord;
    constexpr int text = TextKind::AnyText;
    constexpr int number = TextKind::Number;
    static const FieldTable<P> table{
        {u"code"_s, &P::code, u"htCode"_s, u"코드"_s, 6, text, true},
        {u"bcode"_s, &P::bcode, u"htBCode"_s, u"바코드"_s, 20, text, true},
        {u"name"_s, &P::name, u"htName"_s, u"상품명"_s, 40, text},
        {u"norm"_s, &P::norm, u"htNorm"_s, u"규격"_s, 40, text},
        {u"saleprice"_s, &P::saleprice, u"htSalePrice"_s, u"판매단가"_s, 0, number},
        {u"bigo"_s, &P::bigo, u"htBigo"_s, u"메모"_s, 0, text},
        // The combos and the box of their own.
        {u"classname"_s, &P::classname},
        {u"unit"_s, &P::unit},
        {u"taxmode"_s, &P::taxmode},
        {u"hidden"_s, &P::hidden, u"chkHidden"_s, u"숨김"_s},
        {u"regdate"_s, &P::regdate},
    };
    return table;
}

} // namespace asv
