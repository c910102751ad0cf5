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

    // The first of refs, asked in their order, that holds code (or could not be asked); none when
    // none does.
    static const CodeReference* holder(cMySQL& db, const QList<CodeReference>& refs, const QString& code);
    // Whether one of refs holds code; the first that does says so.
    static bool anyHolds(cMySQL& db, const QList<CodeReference>& refs, const QString& code);
};

} // namespace asv
