#pragma once

#include <QString>
#include <QStringView>

namespace asv {

// Rows of one table gathered into multi-row INSERT statements and sent through DBExecute once a
// statement is full: one round trip per thousand rows instead of one per row.
class BulkInsert {
public:
    BulkInsert(const QString& table, const QString& columns, int rowsPerStatement = 1000);

    // Values of the current row, in the order of the columns.
    BulkInsert& text(QStringView value);
    BulkInsert& number(qint64 value);
    // Closes the row; sends the statement when it holds rowsPerStatement rows.
    void endRow();
    // Sends the rows still waiting; false when this or an earlier statement failed.
    bool flush();

    bool failed() const { return m_failed; }
    // Appends value to sql as a quoted SQL text.
    static void appendQuoted(QString& sql, QStringView value);
    qint64 rowCount() const { return m_rows; }

private:
    void beginValue();

    QString m_head;
    QString m_sql;
    int m_perStatement;
    int m_pending = 0;
    bool m_rowOpen = false;
    qint64 m_rows = 0;
    bool m_failed = false;
};

} // namespace asv
