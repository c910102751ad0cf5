#include "CallerIdLog.h"

#include "Clock.h"
#include "LogFile.h"
#include "Paths.h"

#include <QDir>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcCallerId, "asv.calldesk", QtInfoMsg)

namespace asv {

void CallerIdLog::rawLine(const QString& source, QByteArrayView line)
{
    const QDateTime now = Clock::now();
    const QString text = now.toString(u"yyyy-MM-dd HH:mm:ss.zzz"_s) + u' ' + source + u' ' + escaped(line);
    qCDebug(lcCallerId).noquote() << text;
    QDir().mkpath(Paths::logFolder());
    LogFile::appendLine(fileFor(now.date()), text);
}

QString CallerIdLog::fileFor(const QDate& day)
{
    return Paths::logFolder() + u"/CallerID_"_s + day.toString(u"yyyyMMdd"_s) + u".log"_s;
}

QString CallerIdLog::escaped(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\')
            out += QLatin1Char(c);
        else
            out += u"\\x%1"_s.arg(b, 2, 16, QChar(u'0'));
    }
    return out;
}

} // namespace asv
