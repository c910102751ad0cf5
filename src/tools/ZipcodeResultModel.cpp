#include "ZipcodeResultModel.h"

namespace asv {

void ZipcodeResultModel::setResult(QStringList head, QList<ZipcodeAddress> rows, QStringList tail)
{
    beginResetModel();
    m_head = std::move(head);
    m_rows = std::move(rows);
    m_tail = std::move(tail);
    endResetModel();
}

int ZipcodeResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_head.size() + 2 * m_rows.size() + m_tail.size());
}

QVariant ZipcodeResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != ZipcodeRole && role != AddressRole))
        return {};
    qsizetype line = index.row();
    if (line < m_head.size())
        return role == Qt::DisplayRole ? QVariant(m_head[line]) : QVariant();
    line -= m_head.size();
    if (line >= 2 * m_rows.size()) {
        line -= 2 * m_rows.size();
        return role == Qt::DisplayRole && line < m_tail.size() ? QVariant(m_tail[line]) : QVariant();
    }
    const ZipcodeAddress& a = m_rows[line / 2];
    const bool road = line % 2 == 0;
    switch (role) {
    case ZipcodeRole:
        return a.zipcode;
    case AddressRole:
        return road ? a.roadAddress() : a.lotAddress();
    default:
        return road ? a.roadLine() : a.lotLine();
    }
}

} // namespace asv
