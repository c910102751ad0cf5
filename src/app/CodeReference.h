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
    // Deletes table's row of code unless one of refs holds it, in one transaction under the row's
    // lock: a desk storing a document takes that lock first, so a document being stored is waited
    // for and then holds the code, and one stored after the delete finds the code gone. Why it was
    // refused is said once the lock is let go, so a message box never holds other desks' documents.
    // store names the statements in errors. True when the row went.
    static bool removeUnlessHeld(cMySQL& db, const QString& store, const QString& table, const QString& code,
                                 const QList<CodeReference>& refs);
};

} // namespace asv
