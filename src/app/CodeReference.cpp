#include "CodeReference.h"

#include "modMain_SQL.h"

#include <algorithm>

namespace asv {

bool CodeReference::anyHolds(const QList<CodeReference>& refs, const QString& code)
{
    return std::any_of(refs.begin(), refs.end(), [&](const CodeReference& ref) {
        return IsUsedData(ref.table, ref.field, code, true, {}, ref.label);
    });
}

} // namespace asv
