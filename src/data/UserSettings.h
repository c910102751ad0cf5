#pragma once

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

namespace asv {

// The per-user settings store: one INI file per application name ("ASVelmora",
// "OstraSoft 접속관리자", "Ostra공통", ...), sections as groups, kept in the "settings" folder of the
// program folder so that tests and several program folders stay apart.
class UserSettings {
public:
    static const QString& appTitle();

    static QString read(const QString& app, const QString& section, const QString& key,
                        const QString& defaultValue = {});
    static void write(const QString& app, const QString& section, const QString& key, const QVariant& value);
    static void remove(const QString& app, const QString& section, const QString& key);

    // The settings of the application title, the common case.
    static QString get(const QString& section, const QString& key, const QString& defaultValue = {})
    {
        return read(appTitle(), section, key, defaultValue);
    }
    static void set(const QString& section, const QString& key, const QVariant& value)
    {
        write(appTitle(), section, key, value);
    }

    static std::unique_ptr<QSettings> open(const QString& app);
    static QString fileOf(const QString& app);
};

} // namespace asv
