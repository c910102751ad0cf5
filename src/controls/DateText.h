#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace asv {

// Dates travel as text "yyyy-mm-dd" everywhere.
class DateText {
public:
    // Only a complete, real date in exactly that form.
    static std::optional<QDate> parse(const QString& text);
    static QString format(const QDate& date);

    static QString invalidMessage();
    static QString invalidTitle();
};

} // namespace asv
