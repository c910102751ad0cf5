#include "ConnectionProfile.h"
#include "FrmDBConnect.h"
#include "Mutator.h"
#include "Paths.h"
#include "ScriptedPrompter.h"
#include "UserSettings.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

bool nameable(const QString& value)
{
    return !value.isEmpty() && value == value.trimmed()
        && std::none_of(value.cbegin(), value.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

// Profiles damaged or edited by hand: the connection settings always open on a server, an account
// and a database that can be named, and what they save reads back the same.
TEST(ConnectionProfileFuzz, FuzzedProfilesStillOpenTheConnectionSettings)
{
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    test::ScriptedPrompter prompter;
    ConnectionProfile{u"192.168.0.10:3307"_s, u"desk"_s, u"Ostradb"_s, u"비밀"_s, false}.write();
    const QString path = UserSettings::fileOf(ConnectionProfile::application());
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray seed = written.readAll();
    written.close();
    test::Mutator files({seed, "[서버정보]\nIP=\n[서버정보_VelmoraCS]\nIP=10.0.0.2\nID=\"a, b\"\nDB명=  \nPWD=%%%\n",
                         "[%EC%84%9C%EB%B2%84%EC%A0%95%EB%B3%B4]\nIP=host\\tname\nID=\\0\nLocalServer=1\n"});
    files.run(150, [&](const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        const ConnectionProfile p = ConnectionProfile::read();
        ASSERT_TRUE(nameable(p.host) && nameable(p.user) && nameable(p.database))
            << bytes.toHex().left(300).toStdString() << ' ' << p.host.toStdString() << '|' << p.user.toStdString()
            << '|' << p.database.toStdString();

        FrmDBConnect dialog;
        ASSERT_EQ(dialog.findChild<QLineEdit*>(u"txtHost"_s)->text(), p.host);
        ASSERT_EQ(dialog.findChild<QLineEdit*>(u"txtDB"_s)->text(), p.database);
        ASSERT_TRUE(dialog.save()) << prompter.texts().join(u'\n').toStdString();
        const ConnectionProfile saved = ConnectionProfile::read();
        ASSERT_EQ(QStringList({saved.host, saved.user, saved.database}), QStringList({p.host, p.user, p.database}));
        ASSERT_EQ(saved.localServer, p.localServer);
    });
}
