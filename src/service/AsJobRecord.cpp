#include "AsJobRecord.h"

using namespace Qt::StringLiterals;

namespace asv {

QString AsJobRecord::stateName(int state)
{
    switch (state) {
    case Received: return u"접수"_s;
    case Confirmed: return u"확인"_s;
    case Completed: return u"완료"_s;
    default: return {};
    }
}

const FieldTable<AsJobRecord>& AsJobRecord::fields()
{
    using J = AsJobRecord;
    static const FieldTable<J> table{
        {u"code"_s, &J::code},
        {u"ccode"_s, &J::ccode},
        {u"pcode"_s, &J::pcode},
        {u"pserial"_s, &J::pserial},
        {u"dealdate"_s, &J::dealdate},
        {u"dealtime"_s, &J::dealtime},
        {u"regucode"_s, &J::regucode},
        {u"dealbigo"_s, &J::dealbigo},
        {u"typecode0"_s, &J::typecode0},
        {u"resvdate1"_s, &J::resvdate1},
        {u"resvtime1"_s, &J::resvtime1},
        {u"resvdate2"_s, &J::resvdate2},
        {u"resvtime2"_s, &J::resvtime2},
        {u"charge"_s, &J::charge},
        {u"state"_s, &J::state},
        {u"workdate"_s, &J::workdate},
        {u"worktime"_s, &J::worktime},
    };
    return table;
}

} // namespace asv
