#include "ReportDatabase.h"

#include "AppError.h"
#include "Cp949.h"
#include "Paths.h"
#include "modMsgBox.h"
#include "RecordSet.h"

#include <QDir>
#include <algorithm>
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

// Codes, numbers and dates are ASCII, the same bytes in the code page and in UTF-8: a report's
// thousands of rows go between the stores without being decoded and encoded again.
bool ascii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void bindValue(sqlite3_stmt* stmt, int index, const RecordSet& rs, int row, int col)
{
    const QByteArrayView bytes = rs.bytes(row, col);
    if (ascii(bytes))
        sqlite3_bind_text(stmt, index, bytes.isNull() ? "" : bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    else
        bindText(stmt, index, rs.value(row, col));
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
            bindValue(stmt.handle, static_cast<int>(i + 1), rs, row, columns[i]);
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
    std::vector<const char*> values(static_cast<size_t>(columns));
    std::vector<unsigned long> lengths(static_cast<size_t>(columns));
    QList<QByteArray> encoded;
    while ((step = sqlite3_step(stmt.handle)) == SQLITE_ROW) {
        encoded.clear();
        for (int c = 0; c < columns; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.handle, c));
            const QByteArrayView utf8(text ? text : "", sqlite3_column_bytes(stmt.handle, c));
            const bool plain = ascii(utf8);
            if (!plain)
                encoded << Cp949::encode(QString::fromUtf8(utf8));
            const QByteArrayView stored = plain ? utf8 : QByteArrayView(encoded.last());
            values[static_cast<size_t>(c)] = stored.data();
            lengths[static_cast<size_t>(c)] = static_cast<unsigned long>(stored.size());
        }
        rs->appendRow(values.data(), lengths.data());
    }
    if (step != SQLITE_DONE)
        fail(sql);
    rs->finish();
    return rs;
}

} // namespace asv
