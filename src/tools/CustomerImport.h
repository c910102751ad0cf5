#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <span>

namespace asv {

// Customers taken from the cells of a sheet into the customer table, with the operator's choice
// of which sheet column feeds which field. Rows are checked one by one as the import rules say;
// a row that cannot be stored is logged and passed over, and every other row is stored. Without
// a code column the rows get codes as the customer editor gives them. The inserts go out many
// rows to a statement, with the same log and the same rows stored as when every row is inserted
// on its own.
class CustomerImport {
public:
    struct Field {
        QString label;
        QString column;
        int maxLength;
    };
    // The fields in the order they are read and inserted; the code first, then the name.
    static const QList<Field>& fields();
    static constexpr int kCodeField = 0;
    static constexpr int kNameField = 1;
    static constexpr int kRowsPerStatement = 1000;

    struct Listener {
        std::function<void(const QString& line)> log;
        // After each row that went through, imported or skipped; sheet row numbers from 1.
        std::function<void(int row)> rowDone;
        std::function<void(int row)> imported;
    };
    struct Result {
        int imported = 0;
        // Rows logged and passed over: no name, no code in a code column, a code taken, a
        // character the database cannot hold.
        int passedOver = 0;
    };

    // columns holds the sheet column (from 0) for each of fields(), -1 where none was chosen.
    CustomerImport(const QList<QStringList>& cells, QList<int> columns, int rowsPerStatement = kRowsPerStatement);

    // Sheet row number (from 1) of the last row holding any text; 0 for an empty sheet.
    int lastRowWithData() const;
    // The log lines of every row's problems, without writing: long values, missing code or name,
    // codes already taken, characters the database cannot hold. The checked rows are kept for a
    // run of the same range.
    QStringList check(int firstRow, int lastRow);
    // Throws DbError when a statement fails; the rows inserted before it stay. The tables it
    // filled get fresh statistics at the end.
    Result run(int firstRow, int lastRow, const Listener& listener);

private:
    enum class Outcome { Insert, Skip };
    struct Row {
        int number = 0;
        QStringList values;
        QStringList log;
        Outcome outcome = Outcome::Insert;
    };
    using RowSpan = std::span<Row>;

    // Trims and cuts the row's values; Skip when a required value is missing or cannot be stored.
    Row read(int number) const;
    bool generatesCodes() const { return m_columns[kCodeField] < 0; }
    // The batch's Insert rows get the codes following the editor's next one.
    static void assignCodes(RowSpan batch);
    // The rows from first to last, read and checked once per range: codes repeated in the sheet
    // and codes the table holds are Skip.
    QList<Row>& checkedRows(int first, int last);
    // Marks as Skip the Insert rows whose code the table holds now.
    void skipExisting(RowSpan rows) const;
    // Inserts the batch's Insert rows and reports every row of it in order.
    void store(RowSpan batch, bool defersPieces, const Listener& listener, Result& result);
    // The batch's Insert rows in one statement, with their name pieces where the import writes
    // them; false when the server refused it, with nothing of it stored.
    bool insertTogether(RowSpan batch, bool defersPieces);
    // One row alone, as when the batch could not go together; throws when the server refuses it.
    static void insertAlone(const Row& row);
    static void appendTuple(QString& sql, const QStringList& values);
    static QString codeKey(const QString& code);

    QList<QStringList> m_cells;
    QList<int> m_columns;
    int m_rowsPerStatement;
    int m_checkedFirst = 0;
    int m_checkedLast = -1;
    QList<Row> m_checked;
    // Kept from batch to batch: a fresh statement of this size costs as much as its text.
    QString m_statement;
    QString m_codes;
};

} // namespace asv
