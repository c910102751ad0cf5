#include "UserSettings.h"

#include "Paths.h"

#include <QDir>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace asv {

const QString& UserSettings::appTitle()
{
    static const QString title = u"ASVelmora"_s;
    return title;
}

QString UserSettings::fileOf(const QString& app)
{
    return Paths::file(u"settings/"_s + app + u".ini"_s);
}

std::unique_ptr<QSettings> UserSettings::open(const QString& app)
{
    QDir().mkpath(Paths::file(u"settings"_s));
    return std::make_unique<QSettings>(fileOf(app), QSettings::IniFormat);
}

QString UserSettings::read(const QString& app, const QString& section, const QString& key,
                           const QString& defaultValue)
{
    auto s = open(app);
    const QVariant value = s->value(section + u'/' + key, defaultValue);
    // A value written by hand with commas and without quotes reads as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", "_s);
    return value.toString();
}

void UserSettings::write(const QString& app, const QString& section, const QString& key, const QVariant& value)
{
    auto s = open(app);
    s->setValue(section + u'/' + key, value);
}

void UserSettings::remove(const QString& app, const QString& section, const QString& key)
{
    auto s = open(app);
    s->remove(section + u'/' + key);
}

} // namespace asv
