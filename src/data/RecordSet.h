#pragma once

#include "RecordSetPtr.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

struct st_mysql_res;

namespace asv {

// A query's whole result, held in memory and independent of the connection. Values stay the code
// page bytes the server sent, in the client library's own stored result, and are decoded when
// read: copying them first cost twice the fetch itself on a 100,000-row list.
class RecordSet {
public:
    RecordSet() = default;

    // Field labels as the result names them; a repeated label gets "_<position>" appended.
    void setFields(const QStringList& labels);
    // One row: cols pointers and lengths; a null pointer is a database NULL.
    void appendRow(const char* const* values, const unsigned long* lengths);
    // Room for rows more rows of about eight bytes a value, after setFields.
    void reserve(int rows);
    // One row of texts, stored in the code page as the server would send them.
    void appendTextRow(const QStringList& values);
    void finish();
    // Takes over a stored result of the client library; values are read from its memory.
    void adopt(st_mysql_res* result);

    // Fields of another record set, each row of a join paired with one of its rows.
    struct Joined {
        RecordSetPtr source;
        std::vector<int> fields;
        std::vector<int> sourceRows; // by row of the join
    };
    // The rows of base given by rows, each followed by the joined fields: what a server's join
    // would return, without copying a value. labels name base's fields, then the joined ones.
    static RecordSetPtr join(RecordSetPtr base, std::vector<int> rows, std::vector<Joined> joined,
                             const QStringList& labels);

    int rowCount() const { return m_rows; }
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const QStringList& fieldNames() const { return m_fields; }
    QString fieldName(int col) const { return m_fields.value(col); }
    // Field labels are matched without regard to case, as the old record sets did; -1 when absent.
    int fieldIndex(const QString& label) const;

    QString value(int row, int col) const;
    QString value(int row, const QString& label) const;
    bool isNull(int row, int col) const;
    // The value as the server sent it, undecoded; a null view for NULL. Valid until rows are added.
    QByteArrayView bytes(int row, int col) const;

    // Cursor, positioned on the first row when there are rows.
    bool eof() const { return m_pos >= m_rows; }
    bool bof() const { return m_pos < 0 || m_rows == 0; }
    int position() const { return m_pos; }
    void moveFirst() { m_pos = 0; }
    void moveNext() { if (m_pos < m_rows) ++m_pos; }
    void movePrevious() { if (m_pos >= 0) --m_pos; }
    void moveLast() { m_pos = m_rows - 1; }
    void move(int row) { m_pos = row; }
    QString field(const QString& label) const { return value(m_pos, label); }
    QString field(int col) const { return value(m_pos, col); }

    bool isOpen() const { return m_open; }
    void close();

private:
    struct Cell {
        quint32 offset;
        quint32 length; // kNull marks a database NULL
    };
    static constexpr quint32 kNull = 0xFFFFFFFFu;

    struct Join;

    const Cell* cell(int row, int col) const;
    const char* libraryValue(int row, int col, unsigned long* length) const;
    // Where a value of a join is kept; null for a cell outside it.
    const RecordSet* joinedSource(int row, int col, int* sourceRow, int* sourceCol) const;

    QStringList m_fields;
    QHash<QString, int> m_index;
    std::vector<Cell> m_cells;
    QByteArray m_data;
    std::shared_ptr<st_mysql_res> m_result;
    // An adopted result's rows, and the lengths of their values row by row: asking the library
    // for a row again on every read cost more than the reads.
    std::vector<char**> m_libraryRows;
    std::vector<quint32> m_libraryLengths;
    std::shared_ptr<const Join> m_join;
    int m_rows = 0;
    int m_pos = 0;
    bool m_open = true;
};

} // namespace asv
