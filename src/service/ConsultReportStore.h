#pragma once

#include "RecordSetPtr.h"
#include "StoreSql.h"

#include <QString>

namespace asv {

// The consultation report's statements on the desk's calls (rsvconsult). Reads that fail throw
// DbError.
class ConsultReportStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit ConsultReportStore(cMySQL* db = nullptr);

    // Each search is a field caption of its selector and a text; an empty text searches nothing.
    struct Search {
        QString field;
        QString text;
    };
    struct Filter {
        QString from;
        QString to;
        bool consultationsOnly = false; // calls never consulted (state 0) left out
        Search customer;
        Search product;
        Search consultation;
    };

    static const QStringList& customerFields();
    static const QStringList& productFields();
    static const QStringList& consultationFields();
    // "미완료", "완료", or nothing for a call not consulted.
    static QString stateName(const QString& state);

    static QString listSql(const Filter& filter);
    RecordSetPtr list(const Filter& filter);
    // False when no row went.
    bool remove(int code);
};

} // namespace asv
