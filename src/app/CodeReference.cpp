#include "CodeReference.h"

#include "modMain_SQL.h"

#include <algorithm>

namespace asv {

bool CodeReference::anyHolds(cMySQL& db, const QList<CodeReference>& refs, const QString& code, bool quiet)
{
    return std::any_of(refs.begin(), refs.end(), [&](const CodeReference& ref) {
        return IsUsedData(db, ref.table, ref.field, code, true, {}, ref.label, !quiet);
    });
}

} // namespace asv
