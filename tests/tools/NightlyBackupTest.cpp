#include "BackupFile.h"
#include "CtlProgram.h"
#include "FrmTool_Backup.h"
#include "NightlyBackup.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "WidgetDriver.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

QStringList backupFolder()
{
    return QDir(BackupFile::folder()).entryList(QDir::Files, QDir::Name);
}

void touch(const QString& name)
{
    QDir().mkpath(BackupFile::folder());
    QFile f(BackupFile::folder() + u'/' + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(NightlyBackup, KeepsTheNewestHourFilesAndNothingElseIsTouched)
{
    TestDatabase db;
    for (const QString& name : {u"25123123.dat"_s, u"26010100.dat"_s, u"26010212.dat"_s, u"notes.dat"_s, u"old.sql"_s})
        touch(name);

    const test::CtlRun kept = test::runCtl(db, {u"backup"_s, u"--keep"_s, u"2"_s});
    ASSERT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    const QString written = QFileInfo(kept.out.section(u'\n', 0, 0)).fileName();
    EXPECT_EQ(backupFolder(), QStringList({u"26010212.dat"_s, written, u"notes.dat"_s, u"old.sql"_s}));

    // Without the option the setting counts; 0 keeps everything.
    UserSettings::set(u"Backup"_s, u"KeepFiles"_s, 0);
    EXPECT_EQ(test::runCtl(db, {u"backup"_s}).exitCode, 0);
    EXPECT_EQ(backupFolder().size(), 4);
    UserSettings::set(u"Backup"_s, u"KeepFiles"_s, 1);
    EXPECT_EQ(test::runCtl(db, {u"backup"_s}).exitCode, 0);
    EXPECT_EQ(backupFolder(), QStringList({written, u"notes.dat"_s, u"old.sql"_s}));

    EXPECT_EQ(test::runCtl(db, {u"backup"_s, u"--keep"_s, u"-1"_s}).exitCode, 2);
    EXPECT_EQ(test::runCtl(db, {u"backup"_s, u"--keep"_s}).exitCode, 2);
}

// A night the server was gone: the next time the backup window opens it says so, until a backup works.
TEST(NightlyBackup, FailedRunIsShownByTheBackupWindowAndTheTickTurnsTheTimerOn)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    const auto failing = [&] {
        QProcess p;
        p.start(QStringLiteral(ASV_CTL), {u"--home"_s, db.programFolder(), u"backup"_s});
        p.waitForFinished(60000);
        return p.exitCode();
    };
    ConnectionProfile{u"127.0.0.1:1"_s, u"nobody"_s, db.name(), u"pw"_s}.write();
    EXPECT_EQ(failing(), 1);
    EXPECT_EQ(failing(), 1);
    EXPECT_EQ(NightlyBackup::failures().count(u"접속할 수 없어"_s), 2) << NightlyBackup::failures().toStdString();
    {
        FrmTool_Backup window;
        const auto* shown = window.findChild<QLabel*>(u"lblNightlyFailures"_s);
        EXPECT_TRUE(shown->isVisibleTo(&window));
        EXPECT_TRUE(shown->text().contains(u"접속할 수 없어"_s));
    }
    EXPECT_EQ(test::runCtl(db, {u"backup"_s}).exitCode, 0);
    {
        FrmTool_Backup window;
        EXPECT_FALSE(window.findChild<QLabel*>(u"lblNightlyFailures"_s)->isVisibleTo(&window));
    }

    QStringList ran;
    int answer = 0;
    NightlyBackup::setRunner([&](const QString& program, const QStringList& arguments) {
        ran << program + u' ' + arguments.join(u' ');
        return answer;
    });
    const auto restore = qScopeGuard([] { NightlyBackup::setRunner(nullptr); });
    {
        FrmTool_Backup window;
        window.findChild<QCheckBox*>(u"chkNightly"_s)->click();
    }
    EXPECT_EQ(ran, QStringList{u"systemctl --user enable --now asvelmora-backup.timer"_s});
    FrmTool_Backup window;
    auto* tick = window.findChild<QCheckBox*>(u"chkNightly"_s);
    EXPECT_TRUE(tick->isChecked());
    // A session without a service manager: the tick stays as it was and the operator is told.
    answer = 1;
    tick->click();
    EXPECT_TRUE(tick->isChecked());
    EXPECT_TRUE(NightlyBackup::isEnabled());
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Warn), 1);
}
