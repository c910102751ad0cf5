#include "AsCodeRecord.h"

#include "HCTextRules.h"

using namespace Qt::StringLiterals;

namespace asv {

const FieldTable<AsCodeRecord>& AsCodeRecord::fields()
{
    using A = AsCodeRecord;
    static const FieldTable<A> table{
        {u"code"_s, &A::code},
        {u"name"_s, &A::name, {}, {}, 50, TextKind::AnyText},
        {u"amount"_s, &A::amount, {}, u"금액"_s, 0, TextKind::Number},
        {u"pcode"_s, &A::pcode},
        {u"part"_s, &A::part},
    };
    return table;
}

} // namespace asv
