#pragma once

#include "AppError.h"
#include "SpreadsheetReader.h"
#include "WorkbookBytes.h"

#include <QFile>
#include <gtest/gtest.h>

namespace asv::test {

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Reads every sheet of the file. Whatever the bytes, the reader either gives square rows without
// blank rows at the end, or refuses with one of its own numbers and a message naming the file;
// nothing else may escape. Returns the error number, 0 when read, -1 for a foreign exception.
inline long readError(const QString& path, QString* message = nullptr)
{
    try {
        auto reader = SpreadsheetReader::open(path);
        for (int s = 0; s < reader->sheetNames().size(); ++s) {
            const QList<QStringList> rows = reader->readSheet(s);
            for (const QStringList& row : rows)
                EXPECT_EQ(row.size(), rows.first().size());
            if (!rows.isEmpty()) {
                EXPECT_FALSE(rows.last().join(QString()).isEmpty());
            }
        }
        return 0;
    } catch (const AppError& e) {
        EXPECT_TRUE(e.number() == SpreadsheetReader::kCannotOpen || e.number() == SpreadsheetReader::kNotSpreadsheet
                    || e.number() == SpreadsheetReader::kBrokenFile)
            << e.number() << ' ' << e.description().toStdString();
        EXPECT_TRUE(e.description().contains(path)) << e.description().toStdString();
        if (message)
            *message = e.description();
        return e.number();
    } catch (...) {
        ADD_FAILURE() << "an exception other than AppError";
        return -1;
    }
}

// A workbook of the 1995 format as Korean Excel 95 writes it: names and texts in code page 949,
// every kind of cell record, a date style of its own.
inline QByteArray koreanBiff5Workbook()
{
    using namespace xls;
    using namespace Qt::StringLiterals;
    const auto text = [](const QString& t) { return le16(static_cast<int>(cp949(t).size())) + cp949(t); };
    QByteArray sheet = bof(0x0500, 0x0010);
    sheet += record(0x0204, cell(0, 0) + text(u"(주)한빛전자"_s));
    sheet += record(0x00D6, cell(0, 1) + text(u"똠방각하"_s) + QByteArray(2, '\0'));
    sheet += record(0x0203, cell(1, 0) + f64(1500));
    sheet += record(0x027E, cell(1, 1) + le32((12u << 2) | 2u));
    // Several numbers in one record; the second one in hundredths.
    sheet += record(0x00BD, le16(1) + le16(2) + le16(0) + le32((7u << 2) | 2u) + le16(0) + le32((1250u << 2) | 3u) + le16(3));
    sheet += record(0x0203, cell(2, 0, 1) + f64(45382));
    sheet += record(0x0006, cell(2, 1) + QByteArray("\0\0\0\0\0\0\xFF\xFF", 8) + QByteArray(6, '\0'));
    sheet += record(0x0207, text(u"수식값"_s));
    sheet += record(0x0205, cell(2, 2) + QByteArray("\x01\x00", 2));
    sheet += record(0x0205, cell(2, 3) + QByteArray("\x07\x01", 2));
    sheet += eof();

    const QByteArray name = cp949(u"고객명단"_s);
    auto globals = [&](quint32 offset) {
        return bof(0x0500, 0x0005) + record(0x0042, le16(949))
            + record(0x041E, le16(164) + QByteArray(1, 10) + QByteArray("yyyy-mm-dd"))
            + record(0x00E0, le16(0) + le16(0) + QByteArray(12, '\0'))
            + record(0x00E0, le16(0) + le16(164) + QByteArray(12, '\0'))
            + record(0x0085, le32(offset) + le16(0) + QByteArray(1, static_cast<char>(name.size())) + name) + eof();
    };
    return globals(static_cast<quint32>(globals(0).size())) + sheet;
}

} // namespace asv::test
