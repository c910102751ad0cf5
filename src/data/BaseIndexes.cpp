#include "BaseIndexes.h"

#include "BaseSchema.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv::BaseIndexes {

namespace {

struct Index {
    QString table;
    QString name;
    QString columns; // comma-separated, without blanks
};

QString normalisedColumns(const QString& columns)
{
    return QString(columns).remove(u' ').remove(u'`').toLower();
}

QList<Index> baseIndexes()
{
    static const QRegularExpression table(u"^CREATE TABLE (\\w+)"_s);
    static const QRegularExpression key(u"^\\s*KEY (\\w+) \\(([^)]+)\\)"_s, QRegularExpression::MultilineOption);
    QList<Index> out;
    for (const QString& statement : BaseSchema::statements()) {
        const QRegularExpressionMatch created = table.match(statement);
        if (!created.hasMatch())
            continue;
        for (auto it = key.globalMatch(statement); it.hasNext();) {
            const QRegularExpressionMatch k = it.next();
            out.append({created.captured(1), k.captured(1), normalisedColumns(k.captured(2))});
        }
    }
    // Tables the upgrade steps create: the desk finds callers and today's calls by these.
    out.append({u"rsvconsult"_s, u"idx_rsvconsult_ctelno"_s, u"ctelno"_s});
    out.append({u"rsvconsult"_s, u"idx_rsvconsult_condate"_s, u"condate"_s});
    // The customised edition's desk finds a serial number typed whole or by its beginning.
    out.append({u"customer"_s, u"idx_customer_serialnumber"_s, u"serialnumber"_s});
    return out;
}

// Per table of the connected database, the column lists of its indexes.
QHash<QString, QStringList> existingIndexes()
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT TABLE_NAME, GROUP_CONCAT(COLUMN_NAME ORDER BY SEQ_IN_INDEX SEPARATOR ',') "
                 u"FROM information_schema.STATISTICS WHERE TABLE_SCHEMA = DATABASE() "
                 u"GROUP BY TABLE_NAME, INDEX_NAME"_s);
    QHash<QString, QStringList> out;
    for (; rs && !rs->eof(); rs->moveNext())
        out[rs->field(0).toLower()].append(normalisedColumns(rs->field(1)));
    CloseRS(rs);
    return out;
}

bool covered(const QStringList& existing, const QString& columns)
{
    for (const QString& have : existing) {
        if (have == columns || have.startsWith(columns + u','))
            return true;
    }
    return false;
}

// Per table of the connected database, its columns.
QHash<QString, QStringList> columnsByTable()
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT TABLE_NAME, COLUMN_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE()"_s);
    QHash<QString, QStringList> out;
    for (; rs && !rs->eof(); rs->moveNext())
        out[rs->field(0).toLower()].append(rs->field(1).toLower());
    CloseRS(rs);
    return out;
}

bool hasAll(const QStringList& columns, const QString& wanted)
{
    const QStringList names = wanted.split(u',');
    return !columns.isEmpty()
        && std::all_of(names.begin(), names.end(), [&](const QString& c) { return columns.contains(c); });
}

} // namespace

// Older installations shaped some tables differently (their tax invoices have no mcode): an
// index whose columns a table lacks is left out rather than refused by the server.
QStringList missingStatements()
{
    const QHash<QString, QStringList> columns = columnsByTable();
    const QHash<QString, QStringList> existing = existingIndexes();
    QStringList out;
    for (const Index& index : baseIndexes()) {
        if (hasAll(columns.value(index.table), index.columns) && !covered(existing.value(index.table), index.columns))
            out << u"ALTER TABLE "_s + index.table + u" ADD INDEX "_s + index.name + u" ("_s + index.columns + u")"_s;
    }
    return out;
}

} // namespace asv::BaseIndexes
