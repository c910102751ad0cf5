#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

namespace asv {

class RecordSet;

// The rows of a record set by the CodeKey of one field, looked up with codes as the server sent
// them. A year of the whole book looks up hundreds of thousands of lines: short ASCII codes, nearly
// all of them, are hashed as one number instead of as text. A code met twice keeps its last row.
class CodeRows {
public:
    CodeRows(const RecordSet& rows, const QString& field);

    // -1 when no row has the code.
    int row(QByteArrayView code) const;

private:
    QHash<quint64, int> m_short;
    QHash<QByteArray, int> m_other; // by CodeKey::ofBytes
};

} // namespace asv
