#pragma once

#include "RecordSetPtr.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct sqlite3;

namespace asv {

// The reports' local scratch store, one file beside the program made from a template kept in its
// RPT folder, so that building a report never writes to the shared database.
class ReportDatabase {
public:
    static QString templatePath();
    static QString workingPath();

    // Prepares the working copy and opens it; nullptr when the template or the copy is missing
    // (the operator has been told which).
    static std::unique_ptr<ReportDatabase> CreateRPTFile();
    ~ReportDatabase();
    ReportDatabase(const ReportDatabase&) = delete;
    ReportDatabase& operator=(const ReportDatabase&) = delete;

    void ClearTable(const QString& table);
    // Adds the value of every result row whose value is not NULL to the scratch row of the same
    // key, rounded to the amount decimals.
    void RPTUpdate(const RecordSet& rs, const QString& table, const QString& keyField, const QString& valueField,
                   int decimals, int keyColumn = 0, int valueColumn = 1);
    // Runs sql (with ?1, ?2, ... parameters) once per result row, the given columns bound in order,
    // then the row's numbers, if any (an absent one binds NULL).
    void executeEach(const QString& sql, const RecordSet& rs, const QList<int>& columns,
                     const QList<QList<std::optional<double>>>& numbers = {});
    void execute(const QString& sql);
    RecordSetPtr query(const QString& sql);

    // Failures throw AppError with the store's message.
    void begin() { execute(QStringLiteral("BEGIN")); }
    void commit() { execute(QStringLiteral("COMMIT")); }
    void rollback();

private:
    explicit ReportDatabase(sqlite3* handle) : m_db(handle) {}
    static bool createTemplate(const QString& path);
    static sqlite3* open(const QString& path);
    [[noreturn]] void fail(const QString& what) const;

    sqlite3* m_db;
};

} // namespace asv
