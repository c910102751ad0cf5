#include "RecordSet.h"

#include "Cp949.h"

#include <cstring>
#include <mysql.h>

using namespace Qt::StringLiterals;

namespace asv {

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
    m_offsets.reserve(static_cast<size_t>(mysql_num_rows(result)));
    for (;;) {
        MYSQL_ROW_OFFSET at = mysql_row_tell(result);
        if (!mysql_fetch_row(result))
            break;
        m_offsets.push_back(at);
    }
    m_rows = static_cast<int>(m_offsets.size());
    m_fetchedRow = -1;
}

const char* RecordSet::libraryValue(int row, int col, unsigned long* length) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= fieldCount())
        return nullptr;
    if (row != m_fetchedRow) {
        mysql_row_seek(m_result.get(), m_offsets[static_cast<size_t>(row)]);
        m_fetched = mysql_fetch_row(m_result.get());
        m_lengths = mysql_fetch_lengths(m_result.get());
        m_fetchedRow = row;
    }
    *length = m_lengths[col];
    return m_fetched[col];
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
    if (m_result) {
        unsigned long length = 0;
        return !libraryValue(row, col, &length);
    }
    const Cell* c = cell(row, col);
    return !c || c->length == kNull;
}

QByteArrayView RecordSet::bytes(int row, int col) const
{
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
    m_offsets.clear();
    m_fetchedRow = -1;
    m_cells.clear();
    m_cells.shrink_to_fit();
    m_data.clear();
    m_data.squeeze();
    m_rows = 0;
    m_pos = 0;
}

} // namespace asv
