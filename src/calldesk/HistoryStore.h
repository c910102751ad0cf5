#pragma once

#include "HistoryPeriods.h"
#include "RecordSetPtr.h"
#include "StoreSql.h"

#include <QString>

namespace asv {

// The statements behind a caller's history: the three lists, the records their detail windows show,
// the correction of a consultation and the consultation categories. Reads that fail throw DbError.
class HistoryStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit HistoryStore(cMySQL* db = nullptr);

    // Jobs with their product, user in charge and type names, "" for a row that is missing.
    // Columns: dealdate, state, code, dealbigo, pname, uname, acname.
    RecordSetPtr asJobs(const QString& ccode, const HistoryPeriod& period);
    // Written consultations (state 1 or 2) that have a consultant, newest first, of the customer or
    // of the number; without either nothing. Columns: condate, contime, consultant name, pcode,
    // pname, state, code, refernote.
    RecordSetPtr consultations(const QString& ccode, const QString& number, const HistoryPeriod& period);
    // Columns: code, dealdate, pname, qnt, total.
    RecordSetPtr sales(const QString& ccode, const HistoryPeriod& period);

    // The detail windows' records; an empty record set when the row is gone.
    RecordSetPtr asJob(int code);
    RecordSetPtr asWorkLines(int code);
    // The sale line with its product's unit; a line whose product is gone is not found.
    RecordSetPtr sale(int code);
    RecordSetPtr consultation(int code);

    // Name of an AS code or category; "" when there is none.
    QString codeName(int code);

    struct Correction {
        int code = 0;
        QString pcode;
        QString pname;
        int concode = 0;
        QString refernote;
        QString connote;
        int state = 0;
        // Whoever corrects it becomes the consultant.
        QString userCode;
    };
    // Stamped with the clock's now; rows changed, 0 when it failed.
    int correctConsultation(const Correction& c);

    // Categories of a part whose name contains text, by name. Columns: code, name.
    RecordSetPtr categories(int part, const QString& text);
    // The code of the category of part named exactly name; 0 when there is none.
    int categoryCode(int part, const QString& name);
};

} // namespace asv
