#pragma once

#include "UserSettings.h"

#include <QString>
#include <type_traits>

namespace asv {

// One per-PC setting: where it is stored, its type and the value it has while nothing (or
// nothing readable) is stored. Flags are stored as "1"/"0", numbers and texts as text.
template <typename T>
class Setting {
    static_assert(std::is_same_v<T, bool> || std::is_same_v<T, int> || std::is_same_v<T, QString>);

public:
    Setting(QString section, QString key, T defaultValue, QString app = {})
        : m_app(std::move(app)), m_section(std::move(section)), m_key(std::move(key)),
          m_default(std::move(defaultValue))
    {
    }

    const QString& key() const { return m_key; }
    const T& defaultValue() const { return m_default; }

    T get() const
    {
        const QString stored = text();
        if constexpr (std::is_same_v<T, bool>) {
            return stored == QStringLiteral("1");
        } else if constexpr (std::is_same_v<T, int>) {
            bool ok = false;
            const int n = stored.toInt(&ok);
            return ok ? n : m_default;
        } else {
            return stored;
        }
    }
    void set(const T& value) const { setText(textOf(value)); }

    // The stored text without surrounding blanks; the default's text when nothing is stored.
    QString text() const { return UserSettings::read(app(), m_section, m_key, textOf(m_default)).trimmed(); }
    void setText(const QString& text) const { UserSettings::write(app(), m_section, m_key, text); }

private:
    static QString textOf(const T& value)
    {
        if constexpr (std::is_same_v<T, bool>)
            return value ? QStringLiteral("1") : QStringLiteral("0");
        else if constexpr (std::is_same_v<T, int>)
            return QString::number(value);
        else
            return value;
    }
    QString app() const { return m_app.isEmpty() ? UserSettings::appTitle() : m_app; }

    QString m_app; // empty: the program's own settings
    QString m_section;
    QString m_key;
    T m_default;
};

} // namespace asv
