#pragma once

#include "StoreSql.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace asv {

// The company record: the one row of office with code 1, which the program never inserts.
class OfficeStore : private StoreSql {
public:
    using Record = QMap<QString, QString>; // column -> value

    // On db, or on the program's main connection.
    explicit OfficeStore(cMySQL* db = nullptr);

    // The columns the company dialog edits, in the order they are written.
    static const QStringList& columns();
    // Empty when the row cannot be read.
    Record load();
    // Rows changed; 0 when nothing changed or the statement failed.
    int update(const Record& values);
    QString companyName();
};

} // namespace asv
