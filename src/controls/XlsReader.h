#pragma once

#include "SpreadsheetReader.h"

namespace asv {

// Binary workbooks (.xls, BIFF) through FreeXL, which also turns their code page text into Unicode.
class XlsReader : public SpreadsheetReader {
public:
    explicit XlsReader(const QString& path);
    ~XlsReader() override;
    XlsReader(const XlsReader&) = delete;
    XlsReader& operator=(const XlsReader&) = delete;

    QStringList sheetNames() const override { return m_sheets; }
    QList<QStringList> readSheet(int index) override;

private:
    [[noreturn]] void closeAndFail(long number, const QString& message);

    QString m_path;
    const void* m_handle = nullptr;
    QStringList m_sheets;
};

} // namespace asv
