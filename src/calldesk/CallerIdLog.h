#pragma once

#include <QByteArrayView>
#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcCallerId)

namespace asv {

// Every line a caller-ID device or server sends, with the moment it came, in
// "<program folder>/log/CallerID_<yyyyMMdd>.log": an unknown box can then be worked out from a
// customer's log.
class CallerIdLog {
public:
    static void rawLine(const QString& source, QByteArrayView line);
    static QString fileFor(const QDate& day);
    // Bytes outside printable ASCII as \xNN, so the file shows exactly what came.
    static QString escaped(QByteArrayView bytes);
};

} // namespace asv
