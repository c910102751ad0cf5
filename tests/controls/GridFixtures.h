#pragma once

#include "Paths.h"
#include "RecordSet.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace asv::test {

// A program folder of its own for one test.
struct TempProgramFolder {
    TempProgramFolder() { Paths::setProgramFolder(dir.path()); }
    QString path(const QString& relative) const { return dir.path() + u'/' + relative; }
    QTemporaryDir dir;
};

// A record set as the server would send it: code page 949 bytes, empty text as NULL when asked.
inline RecordSetPtr makeRecordSet(const QStringList& fields, const QList<QStringList>& rows)
{
    auto rs = std::make_shared<RecordSet>();
    rs->setFields(fields);
    for (const QStringList& row : rows)
        rs->appendTextRow(row);
    rs->finish();
    return rs;
}

// Runs a Python snippet with the system interpreter (which has xlwt); false when it failed.
inline bool runPython(const QString& script, const QStringList& args, QString* error = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + args);
    const bool ok = p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!ok && error)
        *error = QString::fromUtf8(p.readAllStandardError());
    return ok;
}

} // namespace asv::test
