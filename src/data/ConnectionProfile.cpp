#include "ConnectionProfile.h"

#include "ConfigKeys.h"

#include "Cp949.h"
#include "UserSettings.h"

#include <QRandomGenerator>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kMainSection = u"서버정보"_s;
const QString kProductSection = u"서버정보_VelmoraCS"_s;

// A profile edited by hand or damaged: a value that is empty or holds control characters names
// no server, account or database, so the default stands in and the connection error says the rest.
QString usable(const QString& value, const QString& fallback)
{
    const QString v = value.trimmed();
    for (const QChar c : v) {
        if (c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter)
            return fallback;
    }
    return v.isEmpty() ? fallback : v;
}

} // namespace

const QString& ConnectionProfile::application()
{
    static const QString app = u"OstraSoft 접속관리자"_s;
    return app;
}

// The Windows connection tool keeps the code page's bytes, as the server gets them at login.
QString ConnectionProfile::encodePassword(const QString& plain)
{
    return QString::fromLatin1(Cp949::encode(plain).toBase64());
}

QString ConnectionProfile::decodePassword(const QString& stored)
{
    if (stored.isEmpty())
        return {};
    // Bytes that are no text of the code page were never a password typed at the tool: the field
    // starts empty rather than holding what no connection or save could use.
    const QString plain = Cp949::decode(QByteArray::fromBase64(stored.toLatin1()));
    return plain.contains(QChar::ReplacementCharacter) ? QString() : plain;
}

ConnectionProfile ConnectionProfile::read()
{
    const QString& app = application();
    const QString section =
        UserSettings::read(app, kMainSection, u"IP"_s).trimmed().isEmpty() ? kProductSection : kMainSection;
    ConnectionProfile p;
    p.host = usable(UserSettings::read(app, section, u"IP"_s), u"localhost"_s);
    p.user = usable(UserSettings::read(app, section, u"ID"_s), ConfigKeys::SharedDbAccount.defaultValue());
    p.database = usable(UserSettings::read(app, section, u"DB명"_s), u"Ostradb"_s);
    p.password = decodePassword(UserSettings::read(app, section, u"PWD"_s, u"ZWVlZQ=="_s));
    p.localServer = UserSettings::read(app, section, u"LocalServer"_s, u"0"_s) == u"1"_s;
    p.tls.required = UserSettings::read(app, section, u"TLS"_s, u"0"_s) == u"1"_s;
    p.tls.caFile = UserSettings::read(app, section, u"TLS_CA"_s).trimmed();
    return p;
}

bool ConnectionProfile::exists()
{
    const QString& app = application();
    return !UserSettings::read(app, kMainSection, u"IP"_s).trimmed().isEmpty()
        || !UserSettings::read(app, kProductSection, u"IP"_s).trimmed().isEmpty();
}

void ConnectionProfile::write() const
{
    const QString& app = application();
    UserSettings::write(app, kMainSection, u"IP"_s, host);
    UserSettings::write(app, kMainSection, u"ID"_s, user);
    UserSettings::write(app, kMainSection, u"DB명"_s, database);
    UserSettings::write(app, kMainSection, u"PWD"_s, encodePassword(password));
    UserSettings::write(app, kMainSection, u"LocalServer"_s, localServer ? u"1"_s : u"0"_s);
    UserSettings::write(app, kMainSection, u"TLS"_s, tls.required ? u"1"_s : u"0"_s);
    UserSettings::write(app, kMainSection, u"TLS_CA"_s, tls.caFile);
}

QString ConnectionProfile::defaultSharedAccount()
{
    return ConfigKeys::SharedDbAccount.defaultValue();
}

QString ConnectionProfile::sharedAccount()
{
    return ConfigKeys::SharedDbAccount.get();
}

// Letters and digits only: the password travels through the profile, a shell and SQL unchanged.
QString ConnectionProfile::generatePassword()
{
    static const QString alphabet = u"ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789"_s;
    QString password;
    for (int i = 0; i < 24; ++i)
        password += alphabet.at(static_cast<qsizetype>(QRandomGenerator::system()->bounded(alphabet.size())));
    return password;
}

} // namespace asv
