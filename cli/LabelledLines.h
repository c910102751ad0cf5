#pragma once

#include <QList>
#include <QString>
#include <QTextStream>
#include <utility>

namespace asv {

using LabelledLines = QList<std::pair<QString, QString>>;

// One "label: value" line each, as the show commands print a record; the exit code 0.
inline int PrintLabelled(QTextStream& out, const LabelledLines& lines)
{
    for (const auto& [label, value] : lines)
        out << label << ": " << value << '\n';
    return 0;
}

inline QString YesNoText(bool on)
{
    return on ? QStringLiteral("예") : QStringLiteral("아니오");
}

} // namespace asv
