#pragma once

#include "SpreadsheetReader.h"

#include <QByteArray>
#include <QHash>
#include <QStringDecoder>
#include <vector>

namespace asv {

class BiffCursor;

// Binary workbooks (.xls) of the 1995 and 1997-2003 formats: the compound file's workbook stream
// in any letter case, its records read for cell texts only. Files from other programs often lack
// or misstate what a strict reader relies on (sheet dimensions, sheet offsets, stream names), so
// none of that is trusted.
class XlsReader : public SpreadsheetReader {
public:
    explicit XlsReader(const QString& path);

    QStringList sheetNames() const override { return m_sheets; }
    QList<QStringList> readSheet(int index) override;

private:
    struct Record {
        quint16 type = 0;
        QByteArrayView body;
    };

    // The record at pos, moving pos past it; false at the end of the stream.
    bool nextRecord(qsizetype& pos, Record& record) const;
    // A record body with the CONTINUE records that follow it.
    QList<QByteArrayView> withContinues(qsizetype& pos, QByteArrayView body) const;
    void readGlobals();
    void readSharedStrings(BiffCursor& cursor);
    QString numberCell(double value, quint16 xf) const;
    [[noreturn]] void broken(const QString& detail = {}) const;

    QString m_path;
    QByteArray m_stream;
    bool m_biff8 = true;
    bool m_date1904 = false;
    QStringDecoder m_codePage;
    QStringList m_sheets;
    std::vector<qsizetype> m_sheetOffsets;
    QStringList m_strings;
    QHash<int, QString> m_formats;
    std::vector<DateKind> m_xfDates;
};

} // namespace asv
