#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure output for Qt strings in test assertions.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << "[\n  " << l.join(QStringLiteral(",\n  ")).toStdString() << "\n]";
}
