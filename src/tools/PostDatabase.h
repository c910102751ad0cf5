#pragma once

#include "ZipcodeAddress.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace asv {

struct ZipcodeSearch;

// One province file: table Post (one row per building or lot) and PostVer (the date of the data).
class PostDatabase {
public:
    // Data dated before this is from the old address system.
    static inline const QString kCurrentSince = QStringLiteral("2015-08-07");
    static bool isOldVersion(const QString& ver) { return ver < kCurrentSince; }

    // Opens an existing file; throws AppError with the library's message.
    explicit PostDatabase(const QString& path, bool writable = false);
    ~PostDatabase();
    PostDatabase(const PostDatabase&) = delete;
    PostDatabase& operator=(const PostDatabase&) = delete;

    QString version() const;
    bool isOld() const { return isOldVersion(version()); }
    void setVersion(const QString& ver);
    QStringList districts() const;
    QList<ZipcodeAddress> search(const ZipcodeSearch& search) const;

    // The empty tables of a new file, and the indexes added once its rows are in.
    static QStringList schemaStatements();
    static QStringList indexStatements();
    static QString insertStatement();

    void exec(const QString& sql) const;
    sqlite3* handle() const { return m_db; }
    // Throws AppError with the library's message of the last failure.
    [[noreturn]] void fail(const QString& what) const;

private:
    sqlite3_stmt* prepare(const QString& sql, const QVariantList& values) const;

    sqlite3* m_db = nullptr;
    QString m_path;
};

} // namespace asv
