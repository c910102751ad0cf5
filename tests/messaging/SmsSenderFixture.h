#pragma once

#include "Cp949.h"
#include "Paths.h"
#include "ScriptedPrompter.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

// A program folder of its own and, in a folder of its own, a stand-in sender program that writes
// its working folder and its argument into "started.txt" there.
class SmsSenderFixture : public ::testing::Test {
protected:
    SmsSenderFixture() { asv::Paths::setProgramFolder(m_home.path()); }

    QString installSender(const QString& folder, const QString& executable = QStringLiteral("OstraSMS.exe"))
    {
        QFile script(QDir(folder).filePath(executable));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$1\" > started.tmp && mv started.tmp started.txt\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        return folder;
    }
    QString senderFolder() const { return m_sender.path(); }
    QString inSender(const QString& file) const { return QDir(m_sender.path()).filePath(file); }

    // The sender's working folder and argument once it has run; empty when it did not start.
    QStringList started() const
    {
        const QDeadlineTimer deadline(5000);
        QFile file(inSender(QStringLiteral("started.txt")));
        while (!file.exists() && !deadline.hasExpired())
            QThread::msleep(10);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    QByteArray contentOf(const QString& file) const
    {
        QFile f(inSender(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_home;
    QTemporaryDir m_sender;
    asv::test::ScriptedPrompter prompter;
};
