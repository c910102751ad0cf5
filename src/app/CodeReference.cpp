#include "CodeReference.h"

#include "DbTransaction.h"
#include "StoreSql.h"
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

bool CodeReference::removeUnlessHeld(cMySQL& db, const QString& store, const QString& table, const QString& code,
                                     const QList<CodeReference>& refs)
{
    using namespace Qt::StringLiterals;
    const StoreSql sql(&db, store);
    const CodeReference* holding = nullptr;
    const QString where = u" WHERE code = "_s + StoreSql::quoted(code);
    const bool removed = DbTransaction::run(db, [&] {
        if (sql.value(u"SELECT code FROM "_s + table + where + u" FOR UPDATE"_s, u"remove"_s).isEmpty())
            return false;
        holding = holder(db, refs, code);
        if (sql.failed()) {
            holding = nullptr; // reported already; nothing is deleted
            return false;
        }
        return !holding && sql.execute(u"DELETE FROM "_s + table + where) == 1;
    });
    if (holding)
        SayUsedIn(holding->label);
    else if (!removed)
        StoreSql::warnNotDeleted();
    return removed;
}

} // namespace asv
