#include "RecordSet.h"

#include "Cp949.h"

#include <cstring>

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

void RecordSet::reserve(qsizetype rows, qsizetype dataBytes)
{
    m_cells.reserve(static_cast<size_t>(rows) * m_fields.size());
    m_data.reserve(dataBytes);
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

void RecordSet::finish()
{
    m_pos = 0;
    m_open = true;
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
    const Cell* c = cell(row, col);
    return !c || c->length == kNull;
}

void RecordSet::close()
{
    m_open = false;
    m_cells.clear();
    m_cells.shrink_to_fit();
    m_data.clear();
    m_data.squeeze();
    m_rows = 0;
    m_pos = 0;
}

} // namespace asv
