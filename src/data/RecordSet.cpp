#include "RecordSet.h"

#include "Cp949.h"

#include <cstring>
#include <mysql.h>

using namespace Qt::StringLiterals;

namespace asv {

struct RecordSet::Join {
    RecordSetPtr base;
    std::vector<int> rows;
    std::vector<Joined> joined;
    struct Column {
        int joined; // -1: a field of base
        int field;
    };
    std::vector<Column> columns;
};

void RecordSet::setFields(const QStringList& labels)
{
    m_fields.clear();
    m_index.clear();
    for (int i = 0; i < labels.size(); ++i) {
        QString name = labels[i];
        if (m_index.contains(name.toLower()))
            name += u"_"_s + QString::number(i);
        m_index.insert(name.toLower(), i);
        m_fields.append(name);
    }
}

void RecordSet::appendRow(const char* const* values, const unsigned long* lengths)
{
    const int cols = fieldCount();
    for (int c = 0; c < cols; ++c) {
        if (!values[c]) {
            m_cells.push_back({0, kNull});
            continue;
        }
        const auto offset = static_cast<quint32>(m_data.size());
        const auto length = static_cast<quint32>(lengths[c]);
        m_data.append(values[c], static_cast<qsizetype>(length));
        m_cells.push_back({offset, length});
    }
    ++m_rows;
}

void RecordSet::reserve(int rows)
{
    const auto cells = static_cast<size_t>(rows) * static_cast<size_t>(fieldCount());
    m_cells.reserve(m_cells.size() + cells);
    m_data.reserve(m_data.size() + static_cast<qsizetype>(cells) * 8);
}

void RecordSet::appendTextRow(const QStringList& values)
{
    QList<QByteArray> bytes;
    std::vector<const char*> ptrs;
    std::vector<unsigned long> lengths;
    for (const QString& v : values)
        bytes.append(Cp949::encode(v));
    for (const QByteArray& b : bytes) {
        ptrs.push_back(b.constData());
        lengths.push_back(static_cast<unsigned long>(b.size()));
    }
    appendRow(ptrs.data(), lengths.data());
}

void RecordSet::finish()
{
    m_pos = 0;
    m_open = true;
}

void RecordSet::adopt(st_mysql_res* result)
{
    m_result.reset(result, &mysql_free_result);
    const auto rows = static_cast<size_t>(mysql_num_rows(result));
    const unsigned int fields = mysql_num_fields(result);
    m_libraryRows.reserve(rows);
    m_libraryLengths.reserve(rows * fields);
    // A stored result keeps every row where it is until it is freed.
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        const unsigned long* lengths = mysql_fetch_lengths(result);
        m_libraryRows.push_back(row);
        for (unsigned int field = 0; field < fields; ++field)
            m_libraryLengths.push_back(static_cast<quint32>(lengths[field]));
    }
    m_rows = static_cast<int>(m_libraryRows.size());
}

RecordSetPtr RecordSet::join(RecordSetPtr base, std::vector<int> rows, std::vector<Joined> joined,
                             const QStringList& labels)
{
    auto join = std::make_shared<Join>();
    for (int field = 0; field < base->fieldCount(); ++field)
        join->columns.push_back({-1, field});
    for (size_t j = 0; j < joined.size(); ++j) {
        for (const int field : joined[j].fields)
            join->columns.push_back({static_cast<int>(j), field});
    }
    join->base = std::move(base);
    join->rows = std::move(rows);
    join->joined = std::move(joined);

    auto rs = std::make_shared<RecordSet>();
    rs->setFields(labels);
    rs->m_rows = static_cast<int>(join->rows.size());
    rs->m_join = std::move(join);
    return rs;
}

const RecordSet* RecordSet::joinedSource(int row, int col, int* sourceRow, int* sourceCol) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= static_cast<int>(m_join->columns.size()))
        return nullptr;
    const Join::Column& column = m_join->columns[static_cast<size_t>(col)];
    *sourceCol = column.field;
    if (column.joined < 0) {
        *sourceRow = m_join->rows[static_cast<size_t>(row)];
        return m_join->base.get();
    }
    const Joined& joined = m_join->joined[static_cast<size_t>(column.joined)];
    *sourceRow = joined.sourceRows[static_cast<size_t>(row)];
    return joined.source.get();
}

const char* RecordSet::libraryValue(int row, int col, unsigned long* length) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= fieldCount())
        return nullptr;
    *length = m_libraryLengths[static_cast<size_t>(row) * static_cast<size_t>(fieldCount()) + static_cast<size_t>(col)];
    return m_libraryRows[static_cast<size_t>(row)][col];
}

int RecordSet::fieldIndex(const QString& label) const
{
    return m_index.value(label.toLower(), -1);
}

const RecordSet::Cell* RecordSet::cell(int row, int col) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= fieldCount())
        return nullptr;
    return &m_cells[static_cast<size_t>(row) * fieldCount() + col];
}

QString RecordSet::value(int row, int col) const
{
    if (m_join) {
        const QByteArrayView v = bytes(row, col);
        return v.isEmpty() ? QString() : Cp949::decode(v.data(), v.size());
    }
    if (m_result) {
        unsigned long length = 0;
        const char* v = libraryValue(row, col, &length);
        return v && length ? Cp949::decode(v, static_cast<qsizetype>(length)) : QString();
    }
    const Cell* c = cell(row, col);
    if (!c || c->length == kNull || c->length == 0)
        return {};
    return Cp949::decode(m_data.constData() + c->offset, c->length);
}

QString RecordSet::value(int row, const QString& label) const
{
    return value(row, fieldIndex(label));
}

bool RecordSet::isNull(int row, int col) const
{
    if (m_join)
        return bytes(row, col).isNull();
    if (m_result) {
        unsigned long length = 0;
        return !libraryValue(row, col, &length);
    }
    const Cell* c = cell(row, col);
    return !c || c->length == kNull;
}

QByteArrayView RecordSet::bytes(int row, int col) const
{
    if (m_join) {
        int sourceRow = 0;
        int sourceCol = 0;
        const RecordSet* source = joinedSource(row, col, &sourceRow, &sourceCol);
        return source ? source->bytes(sourceRow, sourceCol) : QByteArrayView();
    }
    if (m_result) {
        unsigned long length = 0;
        const char* v = libraryValue(row, col, &length);
        return v ? QByteArrayView(v, static_cast<qsizetype>(length)) : QByteArrayView();
    }
    const Cell* c = cell(row, col);
    if (!c || c->length == kNull)
        return {};
    return {m_data.constData() + c->offset, static_cast<qsizetype>(c->length)};
}

void RecordSet::close()
{
    m_open = false;
    m_result.reset();
    m_join.reset();
    m_libraryRows.clear();
    m_libraryLengths.clear();
    m_cells.clear();
    m_cells.shrink_to_fit();
    m_data.clear();
    m_data.squeeze();
    m_rows = 0;
    m_pos = 0;
}

} // namespace asv
