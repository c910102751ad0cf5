#include "modMySQL_Func.h"

#include "DbError.h"
#include "SqlLog.h"
#include "cMySQL.h"
#include "modMsgBox.h"
#include "RecordSet.h"

#include <QElapsedTimer>
#include <array>
#include <memory>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

struct Module {
    std::array<std::unique_ptr<cMySQL>, 2> connections;
    int current = 0;
    QString dbName;
    ConnectFailure connectFailure;
    bool lastFailed = false;
    unsigned int lastErrno = 0;
};

Module& mod()
{
    static Module m;
    return m;
}

const QString kModule = u"modMySQL_Func"_s;

cMySQL& connection(int slot)
{
    auto& c = mod().connections[static_cast<size_t>(slot)];
    if (!c)
        throw DbError(2006, u"modMySQL_Func"_s, u"데이터베이스에 연결되어 있지 않습니다."_s);
    return *c;
}

// Runs one statement, times and logs it, and remembers whether it failed when the connection is
// one of the program's.
RecordSetPtr run(cMySQL& c, const QString& sql, bool silent, SqlLog::Kind kind, int* rows)
{
    QElapsedTimer timer;
    timer.start();
    RecordSetPtr rs = c.query(sql, silent);
    const int affected = c.affected_rows();
    if (&c == mod().connections[0].get() || &c == mod().connections[1].get()) {
        mod().lastErrno = c.lastErrno();
        mod().lastFailed = c.lastErrno() != 0;
    }
    const double seconds = static_cast<double>(timer.elapsed()) / 1000.0;
    SqlLog::record(kind, sql, seconds, affected);
    if (rows)
        *rows = affected;
    return rs;
}

cMySQL& reading()
{
    return connection(mod().current);
}

QString firstValue(cMySQL& db, const QString& sql)
{
    RecordSetPtr rs = run(db, sql, false, SqlLog::Kind::Read, nullptr);
    if (!rs || rs->rowCount() == 0 || rs->fieldCount() == 0)
        return {};
    return rs->value(0, 0);
}

long trimCount(cMySQL& db, const QString& table, const QString& field, const QString& condition)
{
    QString sql = u"SELECT COUNT(*) FROM"_s + u"("_s + u"SELECT TRIM("_s + field + u") AS "_s + field + u" FROM "_s
        + table + u") AS s"_s;
    if (!condition.isEmpty())
        sql += u" WHERE"_s + u" s."_s + condition;
    return firstValue(db, sql).toLong();
}

QString zeroPadded(qint64 value, int digits)
{
    return QString::number(value).rightJustified(digits, u'0');
}

} // namespace

bool DBInit(const QString& host, const QString& user, const QString& password, const QString& database,
            const QString& secondHost, int logLevel, const QString& charset, const ConnectionTls& tls)
{
    Module& m = mod();
    return Guarded(u"DBInit"_s, u"Module"_s, kModule, false, [&] {
        SqlLog::start(logLevel);
        m.current = 0;
        m.connectFailure = {};
        m.connections = {};
        auto connectSlot = [&](int slot, const QString& h) {
            m.connections[static_cast<size_t>(slot)] = std::make_unique<cMySQL>();
            m.connections[static_cast<size_t>(slot)]->setTls(tls);
            try {
                return m.connections[static_cast<size_t>(slot)]->real_connect(h, user, password, database, 3306,
                                                                              {}, 0, charset);
            } catch (const DbError&) {
                const cMySQL& c = *m.connections[static_cast<size_t>(slot)];
                m.connectFailure = {true, c.lastError(), h};
                m.connections[static_cast<size_t>(slot)].reset();
                throw;
            }
        };
        connectSlot(0, host);
        m.dbName = database;
        if (!secondHost.isEmpty() && secondHost != host) {
            m.current = 1;
            return connectSlot(1, secondHost);
        }
        return true;
    });
}

void DBClose()
{
    Module& m = mod();
    m.connections = {};
    m.current = 0;
}

bool DBIsOpen()
{
    return mod().connections[0] != nullptr;
}

cMySQL* DBConnection(int slot)
{
    return mod().connections[static_cast<size_t>(slot)].get();
}

cMySQL& DBMainConnection()
{
    return connection(0);
}

const QString& DBName()
{
    return mod().dbName;
}

int DBOpenRS(RecordSetPtr& rs, const QString& sql, bool silent)
{
    return DBOpenRS(reading(), rs, sql, silent);
}

int DBOpenRS(cMySQL& db, RecordSetPtr& rs, const QString& sql, bool silent)
{
    int rows = 0;
    rs = run(db, sql, silent, SqlLog::Kind::Read, &rows);
    if (!rs)
        return 0;
    return std::max(rows, 0);
}

int DBExecute(const QString& sql, bool silent, int* affected)
{
    return DBExecute(connection(0), sql, silent, affected);
}

int DBExecute(cMySQL& db, const QString& sql, bool silent, int* affected)
{
    int rows = 0;
    run(db, sql, silent, SqlLog::Kind::Write, &rows);
    rows = std::max(rows, 0);
    if (affected)
        *affected = rows;
    return rows;
}

QString DBGetValue(const QString& sql)
{
    return firstValue(reading(), sql);
}

QString DBGetValue(cMySQL& db, const QString& sql)
{
    return firstValue(db, sql);
}

QStringList DBFirstColumn(const QString& sql, bool silent)
{
    RecordSetPtr rs;
    DBOpenRS(rs, sql, silent);
    QStringList values;
    for (; rs && !rs->eof(); rs->moveNext())
        values << rs->field(0);
    CloseRS(rs);
    return values;
}

long DBRecordCount(const QString& table, const QString& where)
{
    return DBRecordCount(reading(), table, where);
}

long DBRecordCount(cMySQL& db, const QString& table, const QString& where)
{
    QString sql = u"SELECT COUNT(*) FROM "_s + table;
    if (!where.isEmpty())
        sql += u" WHERE "_s + where;
    return firstValue(db, sql).toLong();
}

long DBTrimCount(const QString& table, const QString& field, const QString& condition)
{
    return trimCount(reading(), table, field, condition);
}

QString DBMaxValue(const QString& table, const QString& field, const QString& where)
{
    QString sql = u"SELECT MAX("_s + field + u") FROM "_s + table;
    if (!where.isEmpty())
        sql += u" WHERE "_s + where;
    return firstValue(reading(), sql);
}

QString NextCode(const QString& table, const QString& field, int length, const QString& prefix)
{
    return NextCode(reading(), table, field, length, prefix);
}

QString NextCode(cMySQL& db, const QString& table, const QString& field, int length, const QString& prefix)
{
    if (prefix.size() >= length)
        return prefix;
    const int digits = length - static_cast<int>(prefix.size());
    const QString zeros(digits, u'0'), nines(digits, u'9');
    QString sql;
    if (prefix.isEmpty()) {
        sql = u"SELECT MAX(%1) FROM %2 WHERE %1 BETWEEN '%3' AND '%4' AND LENGTH(%1) = %5 AND %1 REGEXP '^[0-9]+$'"_s
                  .arg(field, table, zeros, nines, QString::number(length));
    } else {
        QString likePrefix = prefix;
        // A code prefix is literal: its % or _ must not match other codes.
        const QString quotedLike = SQLQuoteLike(likePrefix).replace(u'%', u"\\%"_s).replace(u'_', u"\\_"_s);
        // The tail must be digits too: a typed code such as "AB00x9" would otherwise be the
        // maximum, and the next code would be computed from its non-numeric tail.
        sql = u"SELECT MAX(%1) FROM %2 WHERE %1 LIKE '%3%' AND RIGHT(%1,%4) BETWEEN '%5' AND '%6' AND RIGHT(%1,%4) REGEXP '^[0-9]+$'"_s
                  .arg(field, table, quotedLike, QString::number(digits), zeros, nines);
    }
    const QString max = firstValue(db, sql);
    const qint64 next = max.isEmpty() ? 1 : max.right(digits).toLongLong() + 1;
    const QString code = prefix + zeroPadded(next, digits);
    if (code.size() > length) {
        MsgInfo(u"해당 순번이 최대값을 넘어 자동으로 값을 구할 수가 없습니다."_s);
        return {};
    }
    return code;
}

QString NextNumericCode(const QString& table, const QString& field, int length, const QString& where,
                        bool leftPartOnly)
{
    return NextNumericCode(reading(), table, field, length, where, leftPartOnly);
}

QString NextNumericCode(cMySQL& db, const QString& table, const QString& field, int length, const QString& where,
                        bool leftPartOnly)
{
    const int digits = leftPartOnly ? length - 1 : length;
    QString sql = leftPartOnly
        ? u"SELECT MAX(LEFT("_s + field + u", "_s + QString::number(length - 1) + u")) FROM "_s + table
        : u"SELECT MAX("_s + field + u") FROM "_s + table;
    sql += u" WHERE LENGTH("_s + field + u") = "_s + QString::number(length) + u" AND "_s + field
        + u" REGEXP '^[0-9]+$'"_s;
    if (!where.isEmpty())
        sql += u" AND "_s + where;
    const QString max = firstValue(db, sql);
    return zeroPadded(max.isEmpty() ? 1 : max.toLongLong() + 1, digits);
}

qint32 DBInsertId()
{
    return DBInsertId(connection(0));
}

qint32 DBInsertId(cMySQL& db)
{
    const qint32 id = db.insert_id();
    SqlLog::record(SqlLog::Kind::Write, u"/* insert id */"_s, 0, id);
    return id;
}

bool DBCheckDup(const QString& table, const QString& field, const QString& value, const QString& where, bool ask,
                const QString& label, const QString& displayText, bool trimmed)
{
    return DBCheckDup(reading(), table, field, value, where, ask, label, displayText, trimmed);
}

bool DBCheckDup(cMySQL& db, const QString& table, const QString& field, const QString& value, const QString& where,
                bool ask, const QString& label, const QString& displayText, bool trimmed)
{
    QString condition = field + u"='"_s + SQLQuote(value) + u"'"_s;
    if (!where.isEmpty())
        condition += u" AND "_s + where;
    const long n = trimmed ? trimCount(db, table, field, condition) : DBRecordCount(db, table, condition);
    if (n <= 0)
        return false;
    if (!ask)
        return true;
    const QString shown = displayText.isEmpty() ? value : displayText;
    const MsgAnswer a = MsgYesNo(u"『"_s + shown + u"』는 이미 등록된 "_s + label + u"입니다."_s + vbCrLf + vbCrLf
                                     + u"그래도, 등록하시겠습니까?"_s,
                                 u"동일 "_s + label + u" 발견"_s);
    return a == MsgAnswer::No;
}

bool DBLastFailed()
{
    return mod().lastFailed;
}

unsigned int DBLastErrno()
{
    return mod().lastErrno;
}

QString SQLQuote(const QString& text)
{
    QString t = text.left(text.indexOf(QChar(u'\0')) < 0 ? text.size() : text.indexOf(QChar(u'\0')));
    t.replace(u'\'', u"''"_s);
    t.replace(u'\\', u"\\\\"_s);
    return t;
}

QString SQLQuoteLike(QString& text)
{
    if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0)
        text.truncate(nul);
    text.replace(u'\'', u"''"_s);
    QString out = text;
    out.replace(u'\\', u"\\\\\\\\"_s);
    return out;
}

void CloseRS(RecordSetPtr& rs)
{
    if (!rs)
        return;
    if (rs->isOpen())
        rs->close();
    rs.reset();
}

const ConnectFailure& DBLastConnectFailure()
{
    return mod().connectFailure;
}

} // namespace asv
