#pragma once

#include <QString>
#include <stdexcept>

namespace asv {

// Failure carried up to the guard at a procedure's edge, which shows the standard error box.
class AppError : public std::runtime_error {
public:
    AppError(long number, QString source, QString description);

    long number() const { return m_number; }
    const QString& source() const { return m_source; }
    const QString& description() const { return m_description; }

private:
    long m_number;
    QString m_source;
    QString m_description;
};

} // namespace asv
