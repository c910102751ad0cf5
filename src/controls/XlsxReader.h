#pragma once

#include "SpreadsheetReader.h"

#include <QByteArray>
#include <vector>

struct zip;

class QXmlStreamReader;

namespace asv {

// Office Open XML workbooks (.xlsx): the zip container through libzip, its parts through
// QXmlStreamReader. Shared and inline strings are read without their phonetic runs; a number
// shows as a date or time when its cell format is one.
class XlsxReader : public SpreadsheetReader {
public:
    explicit XlsxReader(const QString& path);
    ~XlsxReader() override;
    XlsxReader(const XlsxReader&) = delete;
    XlsxReader& operator=(const XlsxReader&) = delete;

    QStringList sheetNames() const override { return m_sheets; }
    QList<QStringList> readSheet(int index) override;

    enum class DateKind : char { None, Date, DateTime, Time };
    // What a number format shows: built-in ids by number, custom codes by their letters.
    static DateKind dateKindOf(int numFmtId, const QString& formatCode);
    static QString serialText(double serial, DateKind kind, bool date1904);

private:
    [[noreturn]] void closeAndFail(long number, const QString& message);
    // The part's bytes; empty when the part is absent.
    QByteArray part(const QString& name);
    void readWorkbook();
    void readSharedStrings();
    void readStyles();
    QString cellValue(QXmlStreamReader& x, const QString& type, int style);

    QString m_path;
    struct zip* m_zip = nullptr;
    QStringList m_sheets;
    QStringList m_sheetParts;
    QStringList m_strings;
    std::vector<DateKind> m_styleDates;
    bool m_date1904 = false;
};

} // namespace asv
