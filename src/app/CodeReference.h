#pragma once

#include <QList>
#include <QString>

namespace asv {

class cMySQL;

// A column of another table holding a record's code, and the name a refused delete gives that
// table. A record still held is kept, so that no document loses what it names.
struct CodeReference {
    QString table;
    QString field;
    QString label;

    // Whether one of refs holds code, asked in their order; the first that does says so unless
    // quiet.
    static bool anyHolds(cMySQL& db, const QList<CodeReference>& refs, const QString& code, bool quiet = false);
};

} // namespace asv
