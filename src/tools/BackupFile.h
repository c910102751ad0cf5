#pragma once

#include <QDateTime>
#include <QString>

namespace asv {

// A backup file of ours: the dump program's output between a first line and a last line of our
// own. A file cut short lacks the last line and a file made by something else the first, so
// either is known before a restore drops anything.
class BackupFile {
public:
    // The folder below the program folder and the file name of the hour: a second backup within
    // the same hour replaces the first.
    static QString folder();
    static QString fileName(const QDateTime& at);

    static QByteArray headerLine(const QString& database, const QDateTime& at);
    static QByteArray completionLine();

    // Empty when the file is a whole backup of ours; otherwise the reason, for the operator.
    static QString problem(const QString& path);
};

} // namespace asv
