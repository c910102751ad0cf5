#include "SpreadsheetReader.h"

#include "AppError.h"
#include "CsvReader.h"
#include "XlsReader.h"
#include "XlsxReader.h"
#include "modMsgBox.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

std::unique_ptr<SpreadsheetReader> SpreadsheetReader::open(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        fail(kCannotOpen, path, u"파일을 찾을 수 없습니다."_s);
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        fail(kCannotOpen, path, u"파일을 열 수 없습니다. 다른 프로그램에서 사용 중이거나 읽기 권한이 없습니다."_s);
    const QByteArray head = file.read(8);
    file.close();

    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return std::make_unique<XlsReader>(path);
    if (head.startsWith("PK\x03\x04"))
        return std::make_unique<XlsxReader>(path);
    const QString suffix = info.suffix().toLower();
    if (suffix == u"csv"_s || suffix == u"txt"_s || suffix == u"tsv"_s)
        return std::make_unique<CsvReader>(path);
    if ((suffix == u"xls"_s || suffix == u"xlsx"_s) && head.isEmpty())
        fail(kBrokenFile, path, u"엑셀파일의 정보를 알수 없습니다. 빈 파일입니다."_s);
    fail(kNotSpreadsheet, path,
         u"엑셀파일이 아니거나, 지원되지 않는 버전입니다."_s + vbCrLf + u"(읽을 수 있는 파일: .xls, .xlsx, .csv)"_s);
}

QString SpreadsheetReader::numberText(double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    // Fifteen significant digits, as a spreadsheet shows them: 0.1 + 0.2 reads "0.3".
    return QString::number(value, 'g', 15);
}

void SpreadsheetReader::fail(long number, const QString& path, const QString& message)
{
    throw AppError(number, u"SpreadsheetReader"_s, message + vbCrLf + u"파일: "_s + path);
}

void SpreadsheetReader::squareUp(QList<QStringList>& rows)
{
    auto blank = [](const QStringList& row) {
        for (const QString& cell : row) {
            if (!cell.isEmpty())
                return false;
        }
        return true;
    };
    while (!rows.isEmpty() && blank(rows.last()))
        rows.removeLast();
    qsizetype width = 0;
    for (const QStringList& row : rows)
        width = std::max(width, row.size());
    for (QStringList& row : rows) {
        while (row.size() < width)
            row.append(QString());
    }
}

} // namespace asv
