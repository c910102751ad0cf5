#pragma once

#include "ZipcodeAddress.h"

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

namespace asv {

// The finder's result list: notice lines, then two lines per address (road, lot), then closing
// lines. A common dong word finds thousands of addresses; their lines are made only when shown.
class ZipcodeResultModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The zipcode and the address of an address line; nothing on the other lines.
    static constexpr int ZipcodeRole = Qt::UserRole;
    static constexpr int AddressRole = Qt::UserRole + 1;

    using QAbstractListModel::QAbstractListModel;

    void setResult(QStringList head, QList<ZipcodeAddress> rows, QStringList tail);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QStringList m_head;
    QList<ZipcodeAddress> m_rows;
    QStringList m_tail;
};

} // namespace asv
