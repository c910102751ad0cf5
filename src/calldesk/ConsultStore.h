#pragma once

#include "CustomerRecord.h"
#include "RecordSetPtr.h"
#include "StoreSql.h"

#include <QList>
#include <QString>
#include <optional>

namespace asv {

// The desk's statements on rsvconsult and tamberlog (the intake's are CallIntake's), and the
// reads of the caller panel. Reads that fail throw DbError; writes report the rows they changed,
// 0 when they failed.
class ConsultStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit ConsultStore(cMySQL* db = nullptr);

    // Every call of the day with its consultant's name (field "name"), newest first.
    RecordSetPtr callsOf(const QString& date);

    struct Consultant {
        QString code;
        QString name;
    };
    // The call's consultant as stored now; a list so that the caller sees a missing or doubled row.
    QList<Consultant> consultantOf(quint32 call);
    int setConsultant(quint32 call, const QString& userCode);

    struct Consultation {
        QString date;
        QString time;
        QString pcode;
        QString pname;
        QString concode;
        QString refernote;
        QString connote;
        QString regucode;
        int state = 0;
    };
    std::optional<Consultation> load(quint32 call);
    // False when the statement failed or the product named was deleted meanwhile.
    bool save(quint32 call, const Consultation& c);
    // Runs sql, an UPDATE of the call's consultation naming pcode, in one transaction with the
    // product held as a sale line's is; a product the consultation already names is not asked for
    // again, so one whose product went long ago can still be written. Rows changed; -1 when it
    // failed or the product is gone (the operator is told).
    int updateNamingProduct(quint32 call, const QString& pcode, const QString& sql);
    // The customer code of a call, "" for an unlinked one.
    QString customerOf(quint32 call);

    // Renames every call ever received from the number.
    int renameCaller(const QString& number, const QString& name);
    // Marks the number's calls as completed in the outside call log.
    int complete(const QString& number);

    // The consultation category of that name, "" when none is registered.
    QString categoryCode(const QString& name);
    bool hasCategoriesLike(const QString& text);
    QString categoryName(const QString& code);

    // What the caller panel shows beyond the record: the name of the user in charge, the open AS
    // jobs and the last sale ("" when none).
    struct Caller {
        CustomerRecord customer;
        QString chargeName;
        int openAsJobs = 0;
        QString lastSale;
    };
    std::optional<Caller> caller(const QString& ccode);
    static QString callerSql(const QString& ccode);

    // The desk's customer search, of customers whose user in charge exists, codes in code order:
    // text in the names, a code (or serial number) beginning with it, and for a number of four digits or more the
    // numbers whose digits end with its digits, hyphens or none. Where the indexes for that are
    // missing, or the text is too short for the name pieces, text anywhere in the code, names and
    // numbers.
    static QString customerSearchSql(const QString& text, bool tamber);
    QStringList searchCustomers(const QString& text, bool tamber);
    // What the customer picker lists when the search found several: those found.
    static QString pickerCondition(const QStringList& found, const QString& text, bool tamber);

    QString userName(const QString& userCode);
};

} // namespace asv
