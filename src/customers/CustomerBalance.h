#pragma once

#include <QList>
#include <QString>
#include <utility>

namespace asv {

class cMySQL;

// The statements that move a customer's running balance (`customer.nowmoney`): sales, payments and
// AS charges go through move(), the balance repair, the sample data and the clearing of work data
// through the others, on the connection they write with (the main one unless told).
class CustomerBalance {
public:
    explicit CustomerBalance(cMySQL* db = nullptr);

    // Inside a transaction: locks the customer's row, the first step of every document written for
    // it, so that a delete of the customer and a document for it take turns. False when the
    // customer is gone or the read failed.
    bool lock(const QString& ccode);
    // Adds delta, rounded to the column's four decimals, in the same statement as the read, so
    // two desks moving one balance never lose each other's move. False when the statement failed.
    bool move(const QString& ccode, double delta);
    // Moves each customer's balance by its difference (a decimal text) in one statement: moved rather
    // than set, so that a document a desk enters meanwhile is not undone. False when it failed.
    bool moveEach(const QList<std::pair<QString, QString>>& differences);
    // Every balance as the opening balance plus the documents, the way the repair computes it; for
    // documents written in bulk without moving balances. False when it failed.
    bool recomputeAll();
    // Empties every balance, opening balances included, with the work data.
    static QString clearAllSql();

private:
    cMySQL& m_db;
};

} // namespace asv
