#include "BaseIndexes.h"

#include "BaseSchema.h"
#include "modMySQL_Func.h"

#include <QHash>
#include <QRegularExpression>

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

QStringList tables()
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()"_s);
    QStringList out;
    for (; rs && !rs->eof(); rs->moveNext())
        out << rs->field(0).toLower();
    CloseRS(rs);
    return out;
}

} // namespace

QStringList missingStatements()
{
    const QStringList present = tables();
    const QHash<QString, QStringList> existing = existingIndexes();
    QStringList out;
    for (const Index& index : baseIndexes()) {
        if (present.contains(index.table) && !covered(existing.value(index.table), index.columns))
            out << u"ALTER TABLE "_s + index.table + u" ADD INDEX "_s + index.name + u" ("_s + index.columns + u")"_s;
    }
    return out;
}

QStringList addMissing()
{
    QStringList added;
    for (const QString& statement : missingStatements()) {
        DBExecute(statement, true);
        if (!DBLastFailed())
            added << statement;
    }
    return added;
}

} // namespace asv::BaseIndexes
