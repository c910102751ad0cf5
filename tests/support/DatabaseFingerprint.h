#pragma once

#include "RecordSet.h"
#include "cMySQL.h"

#include <QStringList>

namespace asv::test {

// Every table's rows and checksum, as "name rows checksum". The server's checksum of a table with
// virtual columns changes with what was read last, so it is taken of a copy of the stored ones.
inline QStringList fingerprint(cMySQL& admin, const QString& database)
{
    QStringList out;
    const RecordSetPtr tables = admin.query(QStringLiteral("SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = '")
                                                + database + QStringLiteral("' ORDER BY 1"),
                                            false);
    for (int row = 0; tables && row < tables->rowCount(); ++row) {
        const QString table = u'`' + database + QStringLiteral("`.`") + tables->value(row, 0) + u'`';
        const QString copy = u'`' + database + QStringLiteral("`.asv_fingerprint");
        const RecordSetPtr count = admin.query(QStringLiteral("SELECT COUNT(*) FROM ") + table, false);
        admin.query(QStringLiteral("CREATE TEMPORARY TABLE ") + copy + QStringLiteral(" AS SELECT * FROM ") + table, false);
        const RecordSetPtr sum = admin.query(QStringLiteral("CHECKSUM TABLE ") + copy, false);
        admin.query(QStringLiteral("DROP TEMPORARY TABLE ") + copy, false);
        out << tables->value(row, 0) + u' ' + count->value(0, 0) + u' ' + sum->value(0, 1);
    }
    return out;
}

inline QStringList triggersOf(cMySQL& admin, const QString& database)
{
    QStringList out;
    const RecordSetPtr rs = admin.query(QStringLiteral("SELECT TRIGGER_NAME FROM information_schema.TRIGGERS WHERE TRIGGER_SCHEMA = '")
                                            + database + QStringLiteral("' ORDER BY 1"),
                                        false);
    for (int row = 0; rs && row < rs->rowCount(); ++row)
        out << rs->value(row, 0);
    return out;
}

} // namespace asv::test
