#pragma once

#include "AsCodeRecord.h"

#include <QList>
#include <QString>

namespace asv {

// The AS codes on table ascode, stored cell by cell as the code lists are edited. Codes of the
// free-text product are the general codes offered for every product. Reads that fail throw
// DbError.
class AsCodeStore {
public:
    // The product's own codes of one kind, in name order (code, name and amount).
    static QList<AsCodeRecord> list(const QString& pcode, int part);
    // The condition of the codes the AS dialogs offer for a product: the general codes and the
    // product's own; before a product is chosen, the general codes only.
    static QString offeredCondition(int part, const QString& pcode);

    // The new code's number, 0 when the statement failed.
    static int insert(const QString& pcode, int part, const QString& name, double amount);
    // A consultation class typed at the desk and confirmed there.
    static int insertConsultClass(const QString& name);
    // False when no row changed.
    static bool rename(int code, const QString& name);
    static bool setAmount(int code, double amount);

    // Refused (with the message) for no code, a code AS jobs of its kind use, and a code used by
    // consultations, in this order. True when the row was deleted.
    static bool remove(int code, int part);
};

} // namespace asv
