#pragma once

#include "ReceiveRecord.h"
#include "RecordSetPtr.h"
#include "StoreSql.h"

#include <QString>
#include <optional>

namespace asv {

class cMySQL;

// The customer fields the payment screen shows beside a payment.
struct ReceiveCustomer {
    QString name;
    double nowmoney = 0;
    QString charge;
    QString bigo;
};

// The statements of the payments table. Every write moves the customer's running balance by
// the change it made, in the same transaction, so that the balance always matches the payments.
// Failures of the statements are reported by the connection; reads throw DbError.
class ReceiveStore : private StoreSql {
public:
    // Works on the program's main connection, or on db (a worker thread's own).
    explicit ReceiveStore(cMySQL* db = nullptr);

    std::optional<ReceiveRecord> load(int code);
    std::optional<ReceiveCustomer> customer(const QString& ccode);

    // The new payment's code; 0 when nothing was stored (and no balance moved).
    int insert(const ReceiveRecord& payment);
    // Writes what changed between the payment as loaded and as edited; amounts go in as
    // differences, so that another desk's edit of the same payment is kept. Rows changed: 0 when
    // nothing changed, the payment is gone, or a statement failed.
    int update(const ReceiveRecord& loaded, const ReceiveRecord& edited);
    // False when the payment was already gone or could not be deleted.
    bool remove(int code);

    // code, dealdate, ccode, compname, amount, dc, type, bigo of a period, for one customer when given.
    RecordSetPtr list(const QString& from, const QString& to, const QString& ccode);

private:
    struct Locked {
        QString ccode;
        QString dealdate;
        double total = 0;
    };

    // Rows changed, or -1 when the statement failed.
    int execute(const QString& sql);
    std::optional<Locked> lock(int code);
};

} // namespace asv
