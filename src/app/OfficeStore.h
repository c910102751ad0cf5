#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace asv {

// The company record: the one row of office with code 1, which the program never inserts.
class OfficeStore {
public:
    using Record = QMap<QString, QString>; // column -> value

    // The columns the company dialog edits, in the order they are written.
    static const QStringList& columns();
    // Empty when the row cannot be read.
    static Record load();
    // Rows changed; 0 when nothing changed or the statement failed.
    static int update(const Record& values);
    static QString companyName();
};

} // namespace asv
