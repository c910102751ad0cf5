#include "CodeRows.h"

#include "CodeKey.h"
#include "RecordSet.h"

namespace asv {

namespace {

// A code of up to seven ASCII characters, trailing blanks dropped and letters raised, as one number
// whose top bit is set; 0 for any other code.
quint64 packed(QByteArrayView code)
{
    qsizetype end = code.size();
    while (end > 0 && code[end - 1] == ' ')
        --end;
    if (end > 7)
        return 0;
    quint64 key = (0x80u | static_cast<quint64>(end)) << 56;
    for (qsizetype i = 0; i < end; ++i) {
        auto c = static_cast<unsigned char>(code[i]);
        if (c >= 0x80)
            return 0;
        if (c >= 'a' && c <= 'z')
            c -= 'a' - 'A';
        key |= static_cast<quint64>(c) << (8 * i);
    }
    return key;
}

} // namespace

CodeRows::CodeRows(const RecordSet& rows, const QString& field)
{
    const int col = rows.fieldIndex(field);
    m_short.reserve(rows.rowCount());
    for (int r = 0; r < rows.rowCount(); ++r) {
        const QByteArrayView code = rows.bytes(r, col);
        if (const quint64 key = packed(code)) {
            m_short.insert(key, r);
            continue;
        }
        // A code whose key is short ASCII after all (a letter raised into ASCII) joins the others.
        const QByteArray key = CodeKey::ofBytes(code);
        if (const quint64 shortKey = packed(key))
            m_short.insert(shortKey, r);
        else
            m_other.insert(QByteArray(key.constData(), key.size()), r);
    }
}

int CodeRows::row(QByteArrayView code) const
{
    if (const quint64 key = packed(code))
        return m_short.value(key, -1);
    const QByteArray key = CodeKey::ofBytes(code);
    if (const quint64 shortKey = packed(key))
        return m_short.value(shortKey, -1);
    return m_other.value(key, -1);
}

} // namespace asv
