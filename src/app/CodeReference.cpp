#include "CodeReference.h"

#include "StoreSql.h"
#include "modMain_SQL.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

bool CodeReference::anyHolds(const QList<CodeReference>& refs, const QString& code)
{
    return std::any_of(refs.begin(), refs.end(), [&](const CodeReference& ref) {
        return IsUsedData(ref.table, ref.field, code, true, {}, ref.label);
    });
}

bool CodeReference::removeUnlessHeld(const StoreSql& store, const QString& table, const QString& code,
                                     const QList<CodeReference>& refs)
{
    if (anyHolds(refs, code))
        return false;
    if (store.execute(u"DELETE FROM "_s + table + u" WHERE code = "_s + StoreSql::quoted(code)) > 0)
        return true;
    StoreSql::warnNotDeleted();
    return false;
}

} // namespace asv
