#pragma once

#include "AsCodeRecord.h"
#include "StoreSql.h"

#include <QList>
#include <QString>

namespace asv {

// The AS codes on table ascode, stored cell by cell as the code lists are edited. Codes of the
// free-text product are the general codes offered for every product. Reads that fail throw
// DbError.
class AsCodeStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit AsCodeStore(cMySQL* db = nullptr);

    // The product's own codes of one kind, in name order (code, name and amount).
    QList<AsCodeRecord> list(const QString& pcode, int part);
    // The condition of the codes the AS dialogs offer for a product: the general codes and the
    // product's own; before a product is chosen, the general codes only.
    static QString offeredCondition(int part, const QString& pcode);

    // The new code's number, 0 when the statement failed.
    int insert(const QString& pcode, int part, const QString& name, double amount);
    // A consultation class typed at the desk and confirmed there.
    int insertConsultClass(const QString& name);
    // False when no row changed.
    bool rename(int code, const QString& name);
    bool setAmount(int code, double amount);

    // Refused (with the message) for no code, a code AS jobs of its kind use, and a code used by
    // consultations, in this order. True when the row was deleted.
    bool remove(int code, int part);

private:
    int insertedCode(const QString& sql);
    long jobsUsing(int code, int part);
};

} // namespace asv
