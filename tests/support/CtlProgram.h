#pragma once

#include "ConnectionProfile.h"
#include "TestDatabase.h"

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace asv::test {

struct CtlRun {
    int exitCode;
    QString out;
    QString err;
};

// Runs the command-line program of a target that defines ASV_CTL with the program folder's
// profile as it stands, input given on its standard input.
inline CtlRun runCtlIn(const QString& programFolder, const QStringList& args, const QByteArray& input = {})
{
    QProcess p;
    p.start(QStringLiteral(ASV_CTL), QStringList{QStringLiteral("--home"), programFolder} + args);
    p.write(input);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000)) << args.join(u' ').toStdString();
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The same on the test's database, through the connection profile of the test's program folder
// as an installed PC would.
inline CtlRun runCtl(const TestDatabase& db, const QStringList& args)
{
    const ServerAccount server = testServer();
    ConnectionProfile{server.host, server.user, db.name(), server.password}.write();
    return runCtlIn(db.programFolder(), args);
}

} // namespace asv::test
