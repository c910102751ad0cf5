#pragma once

#include "PClassRecord.h"
#include "StoreSql.h"

#include <QList>
#include <QString>

namespace asv {

// The product classes on table pclass. Products carry the class name, so a rename moves them with
// it. Reads that fail throw DbError.
class PClassStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit PClassStore(cMySQL* db = nullptr);

    static constexpr int kCodeLength = 4;

    // In name order.
    QList<PClassRecord> list();
    QStringList names();

    // The new class's code, or "" when the statement failed.
    QString insert(const QString& name);
    // Renames the class and carries its products along; false when no class row changed.
    bool rename(const QString& code, const QString& oldName, const QString& newName);

    // The first guard of the delete command, before anything is asked: refuses (with the message)
    // while no more than one class is left.
    bool lastClassLeft();
    // Refused (with the message) while a product has the class. True when the row was deleted; a
    // class already gone is warned about.
    bool remove(const PClassRecord& pclass);
};

} // namespace asv
