#include "AppState.h"
#include "ConnectionProfile.h"
#include "FrmDBConnect.h"
#include "FrmFirstStart.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"
#include "cMySQL.h"
#include "modMain.h"
#include "modMain_dbPatch.h"
#include "modMySQL_Func.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using Kind = ScriptedPrompter::Kind;

namespace {

// A PC that never saved a profile.
struct FirstStart : ::testing::Test {
    QTemporaryDir home;
    ScriptedPrompter prompter;

    FirstStart() { Paths::setProgramFolder(home.path()); }
};

// Runs step on the modal dialog of type T once it is open.
template <typename T>
void whenOpen(std::function<void(T&)> step)
{
    QTimer::singleShot(10, [step] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            step(*dialog);
        else
            whenOpen<T>(step);
    });
}

} // namespace

TEST_F(FirstStart, StartWithoutProfileAsksAndPrivateServerChoiceIsRemembered)
{
    ASSERT_FALSE(ConnectionProfile::exists());
    whenOpen<FrmFirstStart>([](FrmFirstStart& choice) { test::click(choice, u"btnCancel"_s); });
    StartOptions options;
    options.home = home.path();
    EXPECT_EQ(SubMain(options), 0);
    EXPECT_FALSE(ConnectionProfile::exists());

    FrmFirstStart choice;
    test::click(choice, u"btnLocalServer"_s);
    EXPECT_EQ(choice.result(), QDialog::Accepted);
    ASSERT_TRUE(ConnectionProfile::exists());
    ReadConnectionProfile();
    EXPECT_TRUE(App().UseLocalServer);
}

TEST_F(FirstStart, OfficeServerIsTestedBeforeSavingAndAnEmptyOneIsCreated)
{
    const test::ServerAccount server = test::testServer();
    const QString pid = QString::number(QCoreApplication::applicationPid());
    const QString user = u"asvfirst_"_s + pid;
    const QString database = u"asvfirstdb_"_s + pid;
    cMySQL admin;
    admin.real_connect(server.host, server.user, server.password, {}, 3306, {}, 0, u"euckr"_s);
    const auto cleanUp = qScopeGuard([&] {
        DBClose();
        admin.query(u"DROP DATABASE IF EXISTS `"_s + database + u"`"_s, true);
        admin.query(u"DROP USER IF EXISTS '"_s + user + u"'@'%'"_s, true);
    });

    whenOpen<FrmDBConnect>([&](FrmDBConnect& settings) {
        const auto type = [&](const QString& name, const QString& text) {
            settings.findChild<QLineEdit*>(name)->setText(text);
        };
        type(u"txtHost"_s, u"127.0.0.1:1"_s);
        type(u"txtUser"_s, user);
        type(u"txtDB"_s, database);
        type(u"txtPassword"_s, u"first-pw"_s);
        test::click(settings, u"btnSave"_s);
        EXPECT_EQ(prompter.count(Kind::Warn), 1);
        EXPECT_FALSE(ConnectionProfile::exists());

        type(u"txtHost"_s, server.host);
        test::click(settings, u"btnSave"_s);
        EXPECT_EQ(prompter.count(Kind::Info), 1);
        EXPECT_TRUE(settings.findChild<QWidget*>(u"grpCreate"_s)->isVisibleTo(&settings));
        EXPECT_FALSE(ConnectionProfile::exists());

        type(u"txtAdminUser"_s, server.user);
        type(u"txtAdminPassword"_s, u"wrong"_s);
        test::click(settings, u"btnCreate"_s);
        EXPECT_EQ(prompter.count(Kind::Warn), 2);
        EXPECT_FALSE(ConnectionProfile::exists());

        type(u"txtAdminPassword"_s, server.password);
        test::click(settings, u"btnCreate"_s);
        // Used once, kept nowhere.
        EXPECT_TRUE(settings.findChild<QLineEdit*>(u"txtAdminPassword"_s)->text().isEmpty());
    });
    FrmFirstStart choice;
    test::click(choice, u"btnOfficeServer"_s);
    EXPECT_EQ(choice.result(), QDialog::Accepted) << prompter.texts().join(u'\n').toStdString();

    const ConnectionProfile saved = ConnectionProfile::read();
    EXPECT_EQ(QStringList({saved.host, saved.user, saved.database}), QStringList({server.host, user, database}));
    EXPECT_FALSE(saved.localServer);
    QDirIterator files(home.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile f(files.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_FALSE(bytes.contains(server.password.toUtf8()) || bytes.contains(server.password.toUtf8().toBase64()))
            << f.fileName().toStdString();
    }
    ASSERT_TRUE(DBInit(saved.host, saved.user, saved.password, saved.database));
    EXPECT_EQ(DBStructureVersion(), 14);
}
