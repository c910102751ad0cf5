#include "CodeReference.h"

#include "cMySQL.h"
#include "modMain_SQL.h"

#include <algorithm>

namespace asv {

const CodeReference* CodeReference::holder(cMySQL& db, const QList<CodeReference>& refs, const QString& code)
{
    const auto found = std::find_if(refs.begin(), refs.end(), [&](const CodeReference& ref) {
        return IsUsedData(db, ref.table, ref.field, code, true, {}, ref.label, false);
    });
    return found == refs.end() ? nullptr : &*found;
}

bool CodeReference::anyHolds(cMySQL& db, const QList<CodeReference>& refs, const QString& code)
{
    const CodeReference* ref = holder(db, refs, code);
    // A look-up that failed has been reported as such, and holds the code only to be safe.
    if (ref && db.lastErrno() == 0)
        SayUsedIn(ref->label);
    return ref != nullptr;
}

} // namespace asv
