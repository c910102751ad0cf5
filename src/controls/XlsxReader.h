#pragma once

#include "SpreadsheetReader.h"

#include <QByteArray>
#include <QHash>
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

private:
    [[noreturn]] void closeAndFail(long number, const QString& message);
    // The part's bytes; empty when the part is absent.
    QByteArray part(const QString& name);
    struct Relationship {
        QString type; // the last segment of the type URI, e.g. "officeDocument"
        QString target; // the part's name inside the package
    };
    // Relationships of a part by id; the package's own for an empty name.
    QHash<QString, Relationship> relationships(const QString& partName);
    void readWorkbook();
    void readSharedStrings(const QString& name);
    void readStyles(const QString& name);
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
