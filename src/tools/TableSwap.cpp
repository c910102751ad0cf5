#include "TableSwap.h"

#include "BaseSchema.h"
#include "OperatorErrorText.h"
#include "SearchIndexes.h"
#include "StoreSql.h"
#include "cMySQL.h"
#include "modMain_dbPatch.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QLoggingCategory>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

Q_LOGGING_CATEGORY(lcRestore, "asv.tools.restore")

const QString kUndoInfix = u"_undo_"_s;

QString name(const QString& identifier)
{
    return u"`"_s + QString(identifier).replace(u"`"_s, u"``"_s) + u"`"_s;
}

QString name(const QString& database, const QString& table)
{
    return name(database) + u'.' + name(table);
}

QString text(const QString& value)
{
    return u"'"_s + SQLQuote(value) + u"'"_s;
}

// A database name as a LIKE or GRANT pattern matches it and nothing else.
QString patternOf(const QString& database)
{
    return QString(database).replace(u"\\"_s, u"\\\\"_s).replace(u"_"_s, u"\\_"_s).replace(u"%"_s, u"\\%"_s);
}

// Throws DbError: a list read short would make the swap leave tables behind.
QStringList firstColumn(const QString& sql)
{
    return StoreSql(nullptr, u"TableSwap"_s).firstColumn(sql, u"read"_s, true);
}

} // namespace

TableSwap::TableSwap(QString database) : m_database(std::move(database)), m_scratch(m_database + u"_restore"_s)
{
}

QString TableSwap::besidePattern(const QString& database)
{
    return patternOf(database) + u"\\_%"_s;
}

bool TableSwap::run(const QString& statement)
{
    DBExecute(statement, true);
    if (!DBLastFailed())
        return true;
    const cMySQL* c = DBConnection(0);
    qCWarning(lcRestore) << statement << (c ? c->lastError() : QString());
    m_why = OperatorErrorText(DBLastErrno());
    return false;
}

QStringList TableSwap::tablesOf(const QString& database) const
{
    return firstColumn(u"SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = "_s + text(database)
                       + u" AND TABLE_TYPE = 'BASE TABLE' ORDER BY TABLE_NAME"_s);
}

QStringList TableSwap::undoDatabases() const
{
    return firstColumn(u"SELECT SCHEMA_NAME FROM information_schema.SCHEMATA WHERE SCHEMA_NAME LIKE "_s
                       + text(patternOf(m_database + kUndoInfix) + u'%') + u" ORDER BY SCHEMA_NAME DESC"_s);
}

bool TableSwap::create(const QString& database)
{
    RecordSetPtr rs;
    DBOpenRS(rs,
             u"SELECT DEFAULT_CHARACTER_SET_NAME, DEFAULT_COLLATION_NAME FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = "_s
                 + text(m_database),
             true);
    const QString charset = rs && !rs->eof() ? u" DEFAULT CHARACTER SET "_s + rs->field(0) + u" COLLATE "_s + rs->field(1)
                                             : QString();
    CloseRS(rs);
    return run(u"CREATE DATABASE "_s + name(database) + charset);
}

bool TableSwap::makeScratch()
{
    if (run(u"DROP DATABASE IF EXISTS "_s + name(m_scratch)) && create(m_scratch))
        return true;
    m_why = u"복원에 쓰는 데이터베이스 %1을(를) 만들 수 없습니다. "_s.arg(m_scratch) + m_why;
    return false;
}

void TableSwap::dropScratch()
{
    DBExecute(u"DROP DATABASE IF EXISTS "_s + name(m_scratch), true);
}

QString TableSwap::scratchProblem() const
{
    const QStringList present = tablesOf(m_scratch);
    QStringList missing;
    for (const QString& table : BaseSchema::tables()) {
        if (!present.contains(table, Qt::CaseInsensitive))
            missing << table;
    }
    if (!missing.isEmpty())
        return u"백업 파일에 다음 테이블이 없습니다: "_s + missing.join(u", "_s);
    const int version = DBGetValue(u"SELECT ver FROM "_s + name(m_scratch, u"dbversion"_s) + u" WHERE dbid = 'main'"_s).toInt();
    if (version > kProgramDbVersion)
        return u"더 새로운 버전의 프로그램으로 만든 백업 파일입니다. 프로그램을 먼저 업그레이드하세요."_s;
    if (version < 1)
        return u"백업 파일에 데이터베이스 구조 버전이 없습니다."_s;
    // Without it nobody could log in to undo the restore.
    if (DBGetValue(u"SELECT COUNT(*) FROM "_s + name(m_scratch, u"local_user"_s) + u" WHERE loginid = 'ADMIN'"_s).toInt() < 1)
        return u"백업 파일에 관리자(ADMIN) 사용자가 없습니다."_s;
    return {};
}

bool TableSwap::swap(const QString& incoming, const QString& away)
{
    const QStringList current = tablesOf(m_database);
    const QStringList coming = tablesOf(incoming);
    // Undoing: the current tables wait in the scratch while the kept ones come back.
    const bool through = incoming == away;
    if (through && !makeScratch())
        return false;
    const QString parking = through ? m_scratch : away;
    QStringList moves;
    for (const QString& table : current)
        moves << name(m_database, table) + u" TO "_s + name(parking, table);
    for (const QString& table : coming)
        moves << name(incoming, table) + u" TO "_s + name(m_database, table);
    if (through) {
        for (const QString& table : current)
            moves << name(m_scratch, table) + u" TO "_s + name(away, table);
    }
    // A table does not move to another database with triggers; they are built again below.
    RecordSetPtr rs;
    DBOpenRS(rs,
             u"SELECT TRIGGER_SCHEMA, TRIGGER_NAME FROM information_schema.TRIGGERS WHERE TRIGGER_SCHEMA IN ("_s
                 + text(m_database) + u", "_s + text(incoming) + u")"_s,
             true);
    QStringList drops;
    for (; rs && !rs->eof(); rs->moveNext())
        drops << u"DROP TRIGGER IF EXISTS "_s + name(rs->field(0), rs->field(1));
    CloseRS(rs);
    bool ok = true;
    for (const QString& drop : drops)
        ok = ok && run(drop);
    ok = ok && (moves.isEmpty() || run(u"RENAME TABLE "_s + moves.join(u", "_s)));
    rebuildSearch();
    if (through)
        dropScratch();
    return ok;
}

void TableSwap::rebuildSearch()
{
    if (DBName() != m_database)
        return;
    for (const SearchIndexes::Failure& f : SearchIndexes::add(DBMainConnection(), SearchIndexes::missingStatements()))
        qCWarning(lcRestore) << f.statement << f.error;
    SearchIndexes::forget();
}

bool TableSwap::restoreScratch(const QDateTime& at)
{
    const QStringList earlier = undoDatabases();
    const QString undo = m_database + kUndoInfix + at.toString(u"yyMMddhhmmss"_s);
    // Only a restore of the same second made it, and this one replaces what that one kept.
    if (earlier.contains(undo))
        DBExecute(u"DROP DATABASE "_s + name(undo), true);
    if (!create(undo)) {
        m_why = u"바뀌는 자료를 보관할 데이터베이스 %1을(를) 만들 수 없습니다. "_s.arg(undo) + m_why;
        return false;
    }
    if (!swap(m_scratch, undo)) {
        DBExecute(u"DROP DATABASE IF EXISTS "_s + name(undo), true);
        return false;
    }
    dropScratch();
    for (const QString& old : earlier) {
        if (old != undo)
            DBExecute(u"DROP DATABASE IF EXISTS "_s + name(old), true);
    }
    return true;
}

QString TableSwap::undoDatabase() const
{
    return undoDatabases().value(0);
}

bool TableSwap::undo()
{
    const QString kept = undoDatabase();
    if (kept.isEmpty()) {
        m_why = u"되돌릴 복원이 없습니다. 복원한 뒤 새로 백업하면 복원 전의 자료는 지워집니다."_s;
        return false;
    }
    return swap(kept, kept);
}

void TableSwap::dropUndos()
{
    for (const QString& old : undoDatabases())
        DBExecute(u"DROP DATABASE IF EXISTS "_s + name(old), true);
}

} // namespace asv
