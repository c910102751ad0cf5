#pragma once

#include <QString>

namespace asv {

class cMySQL;

// The one statement that moves a customer's running balance (`customer.nowmoney`): sales,
// payments and AS charges all go through it, on the connection they write with (the main one
// unless told).
class CustomerBalance {
public:
    explicit CustomerBalance(cMySQL* db = nullptr);

    // Adds delta, rounded to the column's four decimals, in the same statement as the read, so
    // two desks moving one balance never lose each other's move. False when the statement failed.
    bool move(const QString& ccode, double delta);

private:
    cMySQL& m_db;
};

} // namespace asv
