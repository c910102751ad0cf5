#include "Clock.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "UserSettings.h"
#include "modRegedit.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

struct BackupFixture : ::testing::Test {
    QTemporaryDir home;
    asv::test::ScriptedPrompter prompter;

    BackupFixture() { Paths::setProgramFolder(home.path()); }
    ~BackupFixture() override { Clock::clearFixed(); }

    void at(int day, int hour, int minute) { Clock::setFixed(QDateTime(QDate(2025, 3, day), QTime(hour, minute))); }
    QStringList backups() const
    {
        return QDir(Paths::file(u"DBS"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
};

} // namespace

TEST_F(BackupFixture, CopiesTheSettingsOfEveryListedApplicationIfAnyAndKeepsTheNewestFive)
{
    at(1, 9, 0);
    EXPECT_EQ(RegBackUP(), QString());
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_TRUE(prompter.messages().isEmpty());

    UserSettings::set(u"Config"_s, u"시작화면"_s, u"1"_s);
    UserSettings::write(u"OstraSoft 접속관리자"_s, u"서버정보"_s, u"IP"_s, u"10.0.0.5"_s);
    UserSettings::write(u"다른프로그램"_s, u"Config"_s, u"x"_s, u"1"_s);
    at(2, 18, 5);
    const QString folder = RegBackUP();
    EXPECT_EQ(folder, Paths::file(u"DBS/환경설정_20250302_1805.settings"_s));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              (QStringList{u"ASVelmora.ini"_s, u"OstraSoft 접속관리자.ini"_s}));
    QSettings copy(folder + u"/OstraSoft 접속관리자.ini"_s, QSettings::IniFormat);
    EXPECT_EQ(copy.value(u"서버정보/IP"_s).toString(), u"10.0.0.5"_s);

    // A second exit in the same minute refreshes that backup.
    UserSettings::set(u"Config"_s, u"시작화면"_s, u"2"_s);
    EXPECT_EQ(RegBackUP(), folder);
    QSettings again(folder + u"/ASVelmora.ini"_s, QSettings::IniFormat);
    EXPECT_EQ(again.value(u"Config/시작화면"_s).toString(), u"2"_s);

    // Only the newest five are kept.
    UserSettings::set(u"Config"_s, u"NoMsg"_s, u"1"_s);
    QDir().mkpath(Paths::file(u"DBS/dbPost_서울.db.d"_s));
    // Out of order: the name, not the writing order, tells the age.
    for (int day : {5, 1, 7, 3, 2, 6, 4}) {
        at(day, 8, 30);
        RegBackUP();
    }
    EXPECT_EQ(backups(), (QStringList{u"dbPost_서울.db.d"_s, u"환경설정_20250303_0830.settings"_s,
                                      u"환경설정_20250304_0830.settings"_s, u"환경설정_20250305_0830.settings"_s,
                                      u"환경설정_20250306_0830.settings"_s, u"환경설정_20250307_0830.settings"_s}));
}
