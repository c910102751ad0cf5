#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <optional>

namespace asv {

// Splits a PBX manager connection into its messages: "Key: Value" lines ended by an empty line.
// Keys are kept in lower case, since the order and the case of the headers are free.
class CallerIdAmiReader {
public:
    using Message = QHash<QString, QString>;

    // A complete message when line is the empty line that ends one; lines without ":" (the
    // banner) are skipped.
    std::optional<Message> feed(QByteArrayView line);

private:
    Message m_pending;
};

} // namespace asv
