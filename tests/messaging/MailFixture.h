#pragma once

#include "MailSettings.h"
#include "Paths.h"
#include "ScriptedPrompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace asv::test {

// A program folder of its own, a scripted prompter, and the settings that reach the loopback
// SMTP server's account.
class MailFixture : public ::testing::Test {
protected:
    void SetUp() override { Paths::setProgramFolder(m_home.path()); }

    static MailSettings settingsFor(int port)
    {
        MailSettings s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = QString::number(port);
        s.user = QStringLiteral("desk");
        s.password = QStringLiteral("secret");
        s.senderAddress = QStringLiteral("desk@asv.example");
        return s;
    }

    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile f(m_home.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    QTemporaryDir m_home;
    ScriptedPrompter m_prompter;
};

} // namespace asv::test
