#pragma once

#include "RecordSetPtr.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace asv {

class cMySQL;

// What the stores share in building and running their statements; a store is one of these, on the
// connection it was given.
// Reads that fail throw DbError so that the caller's guard names its procedure; writes report the
// rows they changed, 0 when they failed.
class StoreSql {
public:
    // The text as a quoted statement literal.
    static QString quoted(const QString& text);
    // The typed text as a quoted LIKE pattern, the way the search boxes take it: a backslash is
    // a backslash, while % and _ stay the operator's wildcards.
    static QString likePattern(const QString& pattern);
    // The quoted pattern of values containing the text.
    static QString containing(const QString& text);
    // The condition that leaves out the record whose code this is; "" for an empty code.
    static QString codeOtherThan(const QString& code);
    // A column list written "a, b, c".
    static QStringList columnList(const QString& columns);
    // The values as quoted literals between commas, for an IN list.
    static QString quotedList(const QStringList& values);
    // The warning after a delete that removed no row.
    static void warnNotDeleted();

    // Statements on db, or on the program's main connection; store names them in errors.
    explicit StoreSql(cMySQL* db = nullptr, const QString& store = {});

    // Rows changed by sql; 0 when nothing changed or the statement failed (the data layer has
    // said why).
    int execute(const QString& sql) const;
    // Deletes table's row whose code is codeLiteral (quoted or a number); a delete that removed no
    // row is warned about. True when the row went.
    bool removeCode(const QString& table, const QString& codeLiteral) const;
    // Rows inserted by insertSql(code). When another desk (on a cluster, a desk on another node) took
    // the code in between, code becomes nextCode() and the insert is tried again; 0 when it failed
    // otherwise (said to the operator) or no next code was left.
    int insertUnderFreeCode(QString& code, const std::function<QString()>& nextCode,
                            const std::function<QString(const QString&)>& insertSql) const;
    // After a read: throws when it failed, naming store::operation.
    void throwIfFailed(const QString& operation) const;
    // The rows of sql, never null; throws as throwIfFailed says. Silent: the data layer shows no
    // message of its own first.
    RecordSetPtr read(const QString& sql, const QString& operation, bool silent = false) const;
    // The first column of every row of sql, read as read() says.
    QStringList firstColumn(const QString& sql, const QString& operation, bool silent = false) const;
    // Whether a row of table holds value in field, narrowed by where; read as throwIfFailed says.
    bool taken(const QString& table, const QString& field, const QString& value, const QString& where,
               const QString& operation) const;
    // The first value of sql, "" when it has no row; read as throwIfFailed says.
    QString value(const QString& sql, const QString& operation) const;
    // Whether the last statement on the connection failed.
    bool failed() const;

protected:
    cMySQL& m_db;

private:
    QString m_store;
};

} // namespace asv
