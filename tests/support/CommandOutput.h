#pragma once

#include <QString>
#include <QTextStream>
#include <gtest/gtest.h>

namespace asv::test {

// What a command of the command-line tool printed, its exit code checked on the way.
inline QString commandOutput(int (*command)(QTextStream&, const QString&), const QString& argument, int exitCode)
{
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(command(out, argument), exitCode) << argument.toStdString();
    out.flush();
    return text;
}

} // namespace asv::test
