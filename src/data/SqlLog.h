#pragma once

#include <QString>

namespace asv {

// The statement logs below "<program folder>/log": the daily file (level 1, writes only), the
// hourly full log (level 2) and the slow-statement log, written whatever the level.
class SqlLog {
public:
    enum class Kind { Read, Write };

    // Sets the file names for today and, once a day, removes last year's files of the same day
    // and every hourly file.
    static void start(int level);
    static void record(Kind kind, const QString& sql, double seconds, qint64 rows);

    static int level() { return s_level; }
    static double slowSeconds() { return s_slowSeconds; }
    static QString dailyFile() { return s_dailyFile; }
    static QString fullPrefix() { return s_fullPrefix; }
    static QString slowFile() { return s_slowFile; }

private:
    static int s_level;
    static double s_slowSeconds;
    static QString s_dailyFile;
    static QString s_fullPrefix;
    static QString s_slowFile;
};

} // namespace asv
