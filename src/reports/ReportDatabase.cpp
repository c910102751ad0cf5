#include "ReportDatabase.h"

#include "AppError.h"
#include "Paths.h"
#include "modMsgBox.h"
#include "RecordSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kFileTitle = u"파일 오류"_s;

// Every scratch table of the reports; the statements make them in the template and bring an
// older working copy up to date.
const QStringList kTables = {
    u"CREATE TABLE IF NOT EXISTS balnlist (ccode TEXT PRIMARY KEY, cname TEXT, calias TEXT, tel TEXT, "
    u"ceoname TEXT, addr1 TEXT, addr2 TEXT, bigo TEXT, prebaln REAL NOT NULL DEFAULT 0, "
    u"suply REAL NOT NULL DEFAULT 0, vat REAL NOT NULL DEFAULT 0, dc REAL NOT NULL DEFAULT 0, "
    u"tot REAL NOT NULL DEFAULT 0, tot2 REAL NOT NULL DEFAULT 0, recv REAL NOT NULL DEFAULT 0, "
    u"baln REAL NOT NULL DEFAULT 0, dname TEXT)"_s,
};

struct Statement {
    sqlite3_stmt* handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};

void bindText(sqlite3_stmt* stmt, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

QString ReportDatabase::templatePath()
{
    return Paths::file(u"RPT/dbReport_SRC.db"_s);
}

QString ReportDatabase::workingPath()
{
    return Paths::file(u"dbReport.db"_s);
}

std::unique_ptr<ReportDatabase> ReportDatabase::CreateRPTFile()
{
    const QString source = templatePath();
    // A new installation has no RPT folder yet and gets its template here; a folder without the
    // template means someone removed it, which the operator must hear about.
    if (!QFileInfo::exists(QFileInfo(source).path()))
        createTemplate(source);
    if (!QFileInfo(source).isFile()) {
        MsgWarn(source + vbCrLf + u"원본 레포트DB파일이 없어졌거나 옮겨졌습니다."_s + vbCrLf
                    + u"원본 레포트DB파일을 확인하세요."_s,
                kFileTitle);
        return nullptr;
    }
    const QString target = workingPath();
    if (!QFileInfo::exists(target))
        QFile::copy(source, target);
    sqlite3* handle = QFileInfo(target).isFile() ? open(target) : nullptr;
    std::unique_ptr<ReportDatabase> db(handle ? new ReportDatabase(handle) : nullptr);
    try {
        // Scratch data: a crash loses nothing worth a journal on disk.
        if (db) {
            db->execute(u"PRAGMA journal_mode = MEMORY"_s);
            db->execute(u"PRAGMA synchronous = OFF"_s);
            for (const QString& table : kTables)
                db->execute(table);
        }
    } catch (const AppError&) {
        // Something that is no database of ours stands in the working copy's place.
        db.reset();
    }
    if (!db)
        MsgWarn(u"레포트DB파일이 없어졌거나 옮겨졌습니다."_s + vbCrLf + u"레포트DB파일을 확인하세요."_s, kFileTitle);
    return db;
}

bool ReportDatabase::createTemplate(const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    sqlite3* handle = open(path);
    if (!handle)
        return false;
    bool made = true;
    for (const QString& table : kTables)
        made = made && sqlite3_exec(handle, table.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(handle);
    if (!made)
        QFile::remove(path);
    return made;
}

sqlite3* ReportDatabase::open(const QString& path)
{
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr)
        != SQLITE_OK) {
        sqlite3_close(handle);
        return nullptr;
    }
    return handle;
}

ReportDatabase::~ReportDatabase()
{
    sqlite3_close(m_db);
}

void ReportDatabase::fail(const QString& what) const
{
    throw AppError(sqlite3_errcode(m_db), u"ReportDatabase"_s,
                   QString::fromUtf8(sqlite3_errmsg(m_db)) + u" ("_s + what + u')');
}

void ReportDatabase::execute(const QString& sql)
{
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(sql);
}

void ReportDatabase::rollback()
{
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void ReportDatabase::ClearTable(const QString& table)
{
    execute(u"DELETE FROM "_s + table);
}

void ReportDatabase::executeEach(const QString& sql, const RecordSet& rs, const QList<int>& columns,
                                 const QList<QList<std::optional<double>>>& numbers)
{
    Statement stmt;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt.handle, nullptr) != SQLITE_OK)
        fail(sql);
    for (int row = 0; row < rs.rowCount(); ++row) {
        for (qsizetype i = 0; i < columns.size(); ++i)
            bindText(stmt.handle, static_cast<int>(i + 1), rs.value(row, columns[i]));
        const QList<std::optional<double>> own = numbers.value(row);
        for (qsizetype i = 0; i < own.size(); ++i) {
            const int index = static_cast<int>(columns.size() + i + 1);
            if (own[i])
                sqlite3_bind_double(stmt.handle, index, *own[i]);
            else
                sqlite3_bind_null(stmt.handle, index);
        }
        if (sqlite3_step(stmt.handle) != SQLITE_DONE)
            fail(sql);
        sqlite3_reset(stmt.handle);
    }
}

void ReportDatabase::RPTUpdate(const RecordSet& rs, const QString& table, const QString& keyField,
                               const QString& valueField, int decimals, int keyColumn, int valueColumn)
{
    const QString sql = u"UPDATE %1 SET %2 = ROUND( %2+?1, %3) WHERE %4 = ?2"_s.arg(
        table, valueField, QString::number(decimals), keyField);
    Statement stmt;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt.handle, nullptr) != SQLITE_OK)
        fail(sql);
    for (int row = 0; row < rs.rowCount(); ++row) {
        if (rs.isNull(row, valueColumn))
            continue;
        sqlite3_bind_double(stmt.handle, 1, rs.value(row, valueColumn).toDouble());
        bindText(stmt.handle, 2, rs.value(row, keyColumn));
        if (sqlite3_step(stmt.handle) != SQLITE_DONE)
            fail(sql);
        sqlite3_reset(stmt.handle);
    }
}

RecordSetPtr ReportDatabase::query(const QString& sql)
{
    Statement stmt;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt.handle, nullptr) != SQLITE_OK)
        fail(sql);
    auto rs = std::make_shared<RecordSet>();
    const int columns = sqlite3_column_count(stmt.handle);
    QStringList labels;
    for (int c = 0; c < columns; ++c)
        labels << QString::fromUtf8(sqlite3_column_name(stmt.handle, c));
    rs->setFields(labels);
    int step;
    QStringList values;
    while ((step = sqlite3_step(stmt.handle)) == SQLITE_ROW) {
        values.clear();
        for (int c = 0; c < columns; ++c)
            values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.handle, c)),
                                        sqlite3_column_bytes(stmt.handle, c));
        rs->appendTextRow(values);
    }
    if (step != SQLITE_DONE)
        fail(sql);
    rs->finish();
    return rs;
}

} // namespace asv
