#pragma once

#include <QList>
#include <QString>

namespace asv {

class StoreSql;

// A column of another table holding a record's code, and the name a refused delete gives that
// table. A record still held is kept, so that no document loses what it names.
struct CodeReference {
    QString table;
    QString field;
    QString label;

    // Whether one of refs holds code, asked in their order; the first that does says so.
    static bool anyHolds(const QList<CodeReference>& refs, const QString& code);
    // Deletes table's row of code unless one of refs holds it; a delete that removed no row is
    // warned about. True when the row went.
    static bool removeUnlessHeld(const StoreSql& store, const QString& table, const QString& code,
                                 const QList<CodeReference>& refs);
};

} // namespace asv
