#include "SqlLog.h"

#include "Clock.h"
#include "ConfigKeys.h"
#include "LogFile.h"
#include "Paths.h"
#include "SqlSecrets.h"
#include "UserSettings.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace asv {

int SqlLog::s_level = 0;
double SqlLog::s_slowSeconds = 3;
QString SqlLog::s_dailyFile;
QString SqlLog::s_fullPrefix;
QString SqlLog::s_slowFile;

void SqlLog::start(int level)
{
    s_level = level;
    const QDateTime now = Clock::now();
    const QString folder = Paths::logFolder();
    const QString prefix = folder + u"/SQLLog_"_s + now.toString(u"MMdd"_s);
    s_dailyFile = prefix + u".dat"_s;
    s_fullPrefix = prefix + u"_full_"_s;
    s_slowFile = prefix + u"_slow.dat"_s;
    bool ok = false;
    const double slow = ConfigKeys::SqlSlowSeconds.get().toDouble(&ok);
    s_slowSeconds = ok ? slow : 3;

    const QString today = now.toString(u"yyyy-MM-dd"_s);
    QDir dir(folder);
    if (dir.exists()) {
        if (UserSettings::get(u"Config"_s, u"SQLLogLast"_s) != today) {
            QFile::remove(s_dailyFile);
            QFile::remove(s_slowFile);
            const QString pattern = QFileInfo(s_fullPrefix).fileName() + u"*.dat"_s;
            for (const QString& name : dir.entryList({pattern}, QDir::Files))
                dir.remove(name);
            UserSettings::set(u"Config"_s, u"SQLLogLast"_s, today);
        }
    } else {
        QDir().mkpath(folder);
        UserSettings::set(u"Config"_s, u"SQLLogLast"_s, today);
    }
}

void SqlLog::record(Kind kind, const QString& sql, double seconds, qint64 rows)
{
    const bool slow = seconds >= s_slowSeconds;
    if (s_level < 1 && !slow)
        return;
    const QDateTime now = Clock::now();
    const QString line = now.toString(u"yyMMddHHmmss"_s) + u'\t' + QString::number(seconds, 'f', 3) + u';'
        + QString::number(rows) + u" -> "_s + SqlSecrets::masked(sql);
    if (kind == Kind::Write && s_level >= 1)
        LogFile::appendLine(s_dailyFile, line);
    if (s_level >= 2)
        LogFile::appendLine(s_fullPrefix + now.toString(u"HH"_s) + u".dat"_s, line);
    if (slow)
        LogFile::appendLine(s_slowFile, line);
}

} // namespace asv
