#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace asv {

// The database speaks code page 949 ("euckr" on the server). Text that the code page cannot hold
// is refused rather than stored as "?".
class Cp949 {
public:
    // Throws AppError (number kUnencodable) naming the first character that cannot be held.
    static QByteArray encode(QStringView text);
    static QString decode(const char* data, qsizetype length);
    static QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }

    // Index of the first character the code page cannot hold, or -1.
    static qsizetype firstUnencodable(QStringView text);
    static QString unencodableMessage(QStringView text, qsizetype index);

    // Length in bytes once encoded; unencodable characters count as two.
    static qsizetype byteLength(QStringView text);

    static constexpr long kUnencodable = 9949;
};

} // namespace asv
