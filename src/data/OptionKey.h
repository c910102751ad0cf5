#pragma once

#include "modMain_SQL.h"

#include <QString>

namespace asv {

// One option of the options table shared by every PC, with the value it is created with when it
// is first read.
class OptionKey {
public:
    OptionKey(QString name, QString defaultValue) : m_name(std::move(name)), m_default(std::move(defaultValue)) {}

    const QString& name() const { return m_name; }
    const QString& defaultValue() const { return m_default; }

    // ok (when given) is false after a failure, which the operator has been told about.
    QString get(bool* ok = nullptr) const { return GetOption(m_name, m_default, ok); }
    int number(bool* ok = nullptr) const { return get(ok).trimmed().toInt(); }
    bool set(const QString& value) const { return SetOption(m_name, value); }

private:
    QString m_name;
    QString m_default;
};

} // namespace asv
