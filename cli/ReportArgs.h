#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace asv {

// "--from yyyy-mm-dd --to yyyy-mm-dd [--customer C] [--csv]" of the report commands.
struct ReportArgs {
    QString from;
    QString to;
    QString customer;
    bool csv = false;

    // nullopt for an unknown option, a missing value or a date that is not yyyy-mm-dd.
    static std::optional<ReportArgs> parse(const QStringList& args)
    {
        ReportArgs parsed;
        for (qsizetype i = 0; i < args.size(); ++i) {
            const QString& arg = args[i];
            if (arg == QStringLiteral("--csv")) {
                parsed.csv = true;
                continue;
            }
            if (i + 1 >= args.size())
                return std::nullopt;
            const QString& value = args[++i];
            if (arg == QStringLiteral("--from"))
                parsed.from = value;
            else if (arg == QStringLiteral("--to"))
                parsed.to = value;
            else if (arg == QStringLiteral("--customer"))
                parsed.customer = value;
            else
                return std::nullopt;
        }
        const auto isDate = [](const QString& text) {
            return text.isEmpty() || QDate::fromString(text, QStringLiteral("yyyy-MM-dd")).isValid();
        };
        if (!isDate(parsed.from) || !isDate(parsed.to))
            return std::nullopt;
        return parsed;
    }
};

// One line of comma-separated values; a field holding a comma, quote or line break is quoted.
inline void WriteCsvLine(QTextStream& out, const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields) {
        if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r')) {
            QString text = field;
            text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            quoted << u'"' + text + u'"';
        } else {
            quoted << field;
        }
    }
    out << quoted.join(u',') << '\n';
}

} // namespace asv
