#include "PostDatabase.h"

#include "AppError.h"
#include "ZipcodeSearch.h"

#include <QFile>
#include <array>
#include <memory>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

struct StatementDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// The text first, then its length, as the library asks.
QByteArrayView columnBytes(sqlite3_stmt* s, int i)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
    return QByteArrayView(text, sqlite3_column_bytes(s, i));
}

QString columnText(sqlite3_stmt* s, int i)
{
    return QString::fromUtf8(columnBytes(s, i));
}

// Rows in search order repeat most of their texts (province, district, dong, road): a text equal to
// the previous row's is shared instead of decoded again.
class RepeatedTexts {
public:
    const QString& text(sqlite3_stmt* s, int i)
    {
        Last& last = m_last[static_cast<size_t>(i)];
        const QByteArrayView bytes = columnBytes(s, i);
        if (bytes != QByteArrayView(last.bytes)) {
            last.bytes = bytes.toByteArray();
            last.text = QString::fromUtf8(bytes);
        }
        return last.text;
    }

private:
    struct Last {
        QByteArray bytes;
        QString text;
    };
    std::array<Last, 16> m_last;
};

} // namespace

PostDatabase::PostDatabase(const QString& path, bool writable) : m_path(path)
{
    const int flags = writable ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_close(m_db);
        throw AppError(1, path, message);
    }
    // A file that is not a database opens fine and fails only at its first read.
    exec(u"SELECT count(*) FROM sqlite_master"_s);
}

PostDatabase::~PostDatabase()
{
    sqlite3_close(m_db);
}

void PostDatabase::fail(const QString& what) const
{
    throw AppError(sqlite3_errcode(m_db), m_path, what + u" : "_s + QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void PostDatabase::exec(const QString& sql) const
{
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(sql);
}

sqlite3_stmt* PostDatabase::prepare(const QString& sql, const QVariantList& values) const
{
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK)
        fail(sql);
    for (int i = 0; i < values.size(); ++i) {
        if (values[i].typeId() == QMetaType::Int) {
            sqlite3_bind_int(s, i + 1, values[i].toInt());
        } else {
            const QByteArray text = values[i].toString().toUtf8();
            sqlite3_bind_text(s, i + 1, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
    }
    return s;
}

QString PostDatabase::version() const
{
    Statement s(prepare(u"SELECT max(ver) FROM PostVer"_s, {}));
    return sqlite3_step(s.get()) == SQLITE_ROW ? columnText(s.get(), 0) : QString();
}

void PostDatabase::setVersion(const QString& ver)
{
    exec(u"DELETE FROM PostVer"_s);
    Statement s(prepare(u"INSERT INTO PostVer (ver) VALUES (?)"_s, {ver}));
    if (sqlite3_step(s.get()) != SQLITE_DONE)
        fail(u"PostVer"_s);
}

QStringList PostDatabase::districts() const
{
    Statement s(prepare(u"SELECT DISTINCT 시군구 FROM Post ORDER BY 시군구"_s, {}));
    QStringList list;
    while (sqlite3_step(s.get()) == SQLITE_ROW) {
        if (const QString d = columnText(s.get(), 0); !d.isEmpty())
            list << d;
    }
    return list;
}

QList<ZipcodeAddress> PostDatabase::search(const ZipcodeSearch& search) const
{
    QVariantList values;
    const QString sql = search.sql(values);
    Statement s(prepare(sql, values));
    QList<ZipcodeAddress> rows;
    RepeatedTexts t;
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        sqlite3_stmt* r = s.get();
        rows.append({t.text(r, 0), t.text(r, 1), t.text(r, 2), t.text(r, 3), t.text(r, 4), t.text(r, 5), t.text(r, 6),
                     sqlite3_column_int(r, 7) == 1, sqlite3_column_int(r, 8), sqlite3_column_int(r, 9), t.text(r, 10),
                     sqlite3_column_int(r, 11) == 1, sqlite3_column_int(r, 12), sqlite3_column_int(r, 13),
                     t.text(r, 14), t.text(r, 15)});
    }
    if (rc != SQLITE_DONE)
        fail(sql);
    return rows;
}

QStringList PostDatabase::schemaStatements()
{
    return {u"CREATE TABLE Post (우편번호 TEXT NOT NULL, 시도 TEXT NOT NULL, 시군구 TEXT NOT NULL, 행정동명 TEXT NOT NULL,"
            " 법정동명 TEXT NOT NULL, 읍면 TEXT NOT NULL, 리명 TEXT NOT NULL, 산여부 INTEGER NOT NULL,"
            " 지번본번 INTEGER NOT NULL, 지번부번 INTEGER NOT NULL, 도로명 TEXT NOT NULL, 지하여부 INTEGER NOT NULL,"
            " 건물번호본번 INTEGER NOT NULL, 건물번호부번 INTEGER NOT NULL, 다량배달처명 TEXT NOT NULL,"
            " 시군구용건물명 TEXT NOT NULL)"_s,
            u"CREATE TABLE PostVer (ver TEXT NOT NULL)"_s};
}

QStringList PostDatabase::indexStatements()
{
    // One index per column the searches start from; the lot search's OR becomes a union of them.
    return {u"CREATE INDEX Post_zipcode ON Post (우편번호)"_s,
            u"CREATE INDEX Post_road ON Post (도로명, 건물번호본번)"_s,
            u"CREATE INDEX Post_admindong ON Post (행정동명)"_s,
            u"CREATE INDEX Post_legaldong ON Post (법정동명)"_s,
            u"CREATE INDEX Post_eupmyeon ON Post (읍면)"_s,
            u"CREATE INDEX Post_ri ON Post (리명)"_s,
            u"CREATE INDEX Post_district ON Post (시군구)"_s};
}

QString PostDatabase::insertStatement()
{
    return u"INSERT INTO Post (우편번호, 시도, 시군구, 행정동명, 법정동명, 읍면, 리명, 산여부, 지번본번, 지번부번, 도로명,"
           " 지하여부, 건물번호본번, 건물번호부번, 다량배달처명, 시군구용건물명)"
           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
}

} // namespace asv
