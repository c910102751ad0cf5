#pragma once

#include "SpreadsheetReader.h"

namespace asv {

class SheetGrid;

// Comma-separated text (tab-separated when the first line has tabs and no commas) as one sheet
// named after the file. The encoding is found from the bytes: a byte-order mark, else UTF-8 when
// the whole file is valid UTF-8, else code page 949.
class CsvReader : public SpreadsheetReader {
public:
    explicit CsvReader(const QString& path);

    QStringList sheetNames() const override { return {m_name}; }
    QList<QStringList> readSheet(int index) override;

    static QString decode(const QByteArray& bytes);
    static void parse(const QString& text, SheetGrid& grid);

private:
    static QChar separatorOf(const QString& text);

    static constexpr qint64 kMaxFileSize = 512LL * 1024 * 1024;

    QString m_path;
    QString m_name;
    QList<QStringList> m_rows;
};

} // namespace asv
