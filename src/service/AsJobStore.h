#pragma once

#include "AsJobRecord.h"
#include "AsLineRecord.h"
#include "StoreSql.h"

#include <QList>
#include <QString>
#include <optional>

namespace asv {

// The AS jobs (aslist_m) and their result lines (aslist_d). Every charged line is carried in its
// customer's running balance: a line's write and its balance move are made together here, and a
// line is only written as it was read, so that two desks working on one line neither lose nor
// repeat a charge. Reads that fail throw DbError; writes report failure as false or 0.
class AsJobStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit AsJobStore(cMySQL* db = nullptr);

    // A line as the result list shows it, with the names of its product and codes.
    struct LineRow {
        AsLineRecord line;
        QString product;
        QString cause;
        QString result;
    };

    std::optional<AsJobRecord> load(int code);
    // The job's customer, "" when the job is gone.
    QString customerOf(int code);

    // The new job's number, 0 when it was not stored. Reception date, time and user are the
    // record's; the state starts as received.
    int insert(const AsJobRecord& job);
    // False when nothing changed or it failed. A job moved to another customer takes its charges
    // along to that customer's balance.
    bool update(const AsJobRecord& job);
    // Deletes the job with its lines, each line's charge taken off the balance; false (the job
    // kept) when a line could not be deleted.
    bool remove(int code);

    int lineCount(int job);
    // Every line in line order; names are empty where the product or a code is gone, since the
    // line's charge is in the balance all the same.
    QList<LineRow> lines(int job);
    std::optional<AsLineRecord> loadLine(int job, int seq);
    // Stores a new line (seq 0) under the next line number, or rewrites line seq. Returns the line
    // number, 0 when nothing was stored. The job's first line completes it with the server's date
    // and time.
    int saveLine(const AsLineRecord& line);
    // False when the line is gone or was changed since it was read elsewhere.
    bool removeLine(int job, int seq);

private:
    // A line's charge as stored, in the server's own decimal text: written back into a condition it
    // matches that row exactly as it was read.
    struct StoredCharge {
        QString amount;
        QString isfree;
        QString pcode;

        double billed() const { return isfree.toInt() != 0 ? 0 : amount.toDouble(); }
        QString unchanged() const { return QStringLiteral(" AND amount = ") + amount + QStringLiteral(" AND isfree = ") + isfree; }
    };

    std::optional<StoredCharge> storedCharge(int job, int seq);
    // Inside a transaction: the job's customer, with the job's row and then the customer's row
    // locked, the order every write of a job takes; "" when the job is gone. The job's row is
    // written as well, so that on a cluster this transaction conflicts with any other that
    // changed the job meanwhile on another node.
    QString lockCustomerOf(int job);
    double chargedTotal(int job);
};

} // namespace asv
