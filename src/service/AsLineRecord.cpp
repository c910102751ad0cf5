#include "AsLineRecord.h"

using namespace Qt::StringLiterals;

namespace asv {

const FieldTable<AsLineRecord>& AsLineRecord::fields()
{
    using L = AsLineRecord;
    static const FieldTable<L> table{
        {u"code"_s, &L::code},
        {u"seq"_s, &L::seq},
        {u"pcode"_s, &L::pcode},
        {u"typecode1"_s, &L::typecode1},
        {u"typecode2"_s, &L::typecode2},
        {u"workbigo"_s, &L::workbigo},
        {u"amount"_s, &L::amount},
        {u"isfree"_s, &L::isfree},
        {u"senddate"_s, &L::senddate},
    };
    return table;
}

} // namespace asv
