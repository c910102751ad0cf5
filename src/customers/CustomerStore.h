#pragma once

#include "CodeReference.h"
#include "CustomerRecord.h"
#include "StoreSql.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace asv {

// Every statement of the customer record on table customer. Reads that fail throw DbError so the
// caller's guard names its procedure; writes report 0 rows when they failed.
class CustomerStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit CustomerStore(cMySQL* db = nullptr);

    static constexpr int kCodeLength = 6;
    // The customised edition's own columns, written only there.
    static const QStringList& editionColumns();
    // For whole-table work run by the tools: the head of a many-row insert of these columns (the
    // rows follow), and the removal of every customer with the work data.
    static QString bulkInsertHead(const QStringList& columns);
    static QString deleteAllSql();

    // nullopt when there is no such customer.
    std::optional<CustomerRecord> load(const QString& code);
    bool codeExists(const QString& code);
    // The next free code with prefix (normally empty), or "" after the message that the sequence
    // is exhausted.
    QString nextCode(const QString& prefix = {});

    // Another customer (not exceptCode; exceptCode empty = any) already carries the value.
    bool nameTaken(const QString& compname, const QString& exceptCode);
    bool aliasTaken(const QString& compalias, const QString& exceptCode);
    // Customers having telno as one of their four telephone numbers or their mobile, compared
    // literally.
    long telephoneCount(const QString& telno, const QString& exceptCode);

    // Rows changed; 0 when nothing changed or the statement failed. withEditionColumns adds the
    // customised edition's columns. insert sets regdate to today and nowmoney to basemoney;
    // update moves nowmoney by the change of basemoney.
    int insert(const CustomerRecord& customer, bool withEditionColumns);
    // The same under a code generated after prefix: when another desk stored the customer's code
    // first, under the next free one. The customer's code becomes the code stored.
    int insertUnderNextCode(CustomerRecord& customer, const QString& prefix, bool withEditionColumns);
    int update(const CustomerRecord& customer, bool withEditionColumns);
    // The customer's salesperson (`charge`), as the slip's main salesperson sets it; rows changed.
    int setCharge(const QString& code, const QString& userCode);
    // When the customer's statement was last mailed; rows changed.
    int setLastMailed(const QString& code, const QDateTime& when);

    // Where a customer is in use, in the order the delete asks: a document that lost its customer
    // would drop out of the lists while its charge stayed in the balance.
    static const QList<CodeReference>& references();

    // The delete command of the lists: refused (with the message saying where) while any of the
    // references holds the customer. True when the row was deleted.
    bool remove(const QString& code);
};

} // namespace asv
