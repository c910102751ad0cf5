#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace asv {

// Cell texts of a spreadsheet file (.xls, .xlsx or .csv), for imports. Numbers come as plain
// decimal text ("1500", "12.5"), dates as "yyyy-MM-dd", date-times as "yyyy-MM-dd HH:mm:ss" and
// times as "HH:mm:ss". Failures throw AppError with one of the numbers below and a Korean text.
class SpreadsheetReader {
public:
    static constexpr long kCannotOpen = 9301;     // missing, unreadable, in use or password-protected
    static constexpr long kNotSpreadsheet = 9302; // not a format read here
    static constexpr long kBrokenFile = 9303;     // the format is known but the content is damaged

    virtual ~SpreadsheetReader() = default;

    virtual QStringList sheetNames() const = 0;
    // Rows of equal length (the widest row's), up to the last row holding anything.
    virtual QList<QStringList> readSheet(int index) = 0;

    // Chooses the reader by the file's first bytes, then by its extension for text files.
    static std::unique_ptr<SpreadsheetReader> open(const QString& path);

    static QString numberText(double value);
    enum class DateKind : char { None, Date, DateTime, Time };
    // What a number format shows: built-in ids by number, custom codes by their letters.
    static DateKind dateKindOf(int numFmtId, const QString& formatCode);
    // A day number as a date and/or time, or as a plain number when the format is not a date.
    static QString serialText(double serial, DateKind kind, bool date1904);
    [[noreturn]] static void fail(long number, const QString& path, const QString& message);
};

} // namespace asv
