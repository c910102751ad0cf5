#include "SpreadsheetReader.h"

#include "AppError.h"
#include "CsvReader.h"
#include "XlsReader.h"
#include "XlsxReader.h"
#include "modMsgBox.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTime>
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

SpreadsheetReader::DateKind SpreadsheetReader::dateKindOf(int numFmtId, const QString& formatCode)
{
    if (formatCode.isEmpty()) {
        if ((numFmtId >= 14 && numFmtId <= 17) || (numFmtId >= 27 && numFmtId <= 31)
            || (numFmtId >= 34 && numFmtId <= 36) || (numFmtId >= 50 && numFmtId <= 54) || numFmtId == 57
            || numFmtId == 58)
            return DateKind::Date;
        if ((numFmtId >= 18 && numFmtId <= 21) || numFmtId == 32 || numFmtId == 33 || numFmtId == 45
            || numFmtId == 46 || numFmtId == 47 || numFmtId == 55 || numFmtId == 56)
            return DateKind::Time;
        return numFmtId == 22 ? DateKind::DateTime : DateKind::None;
    }
    // Letters inside quotes, after a backslash and in brackets (colours, locales) are not codes;
    // only the first section (positive numbers) counts.
    QString letters;
    bool quoted = false;
    for (qsizetype i = 0; i < formatCode.size(); ++i) {
        const QChar ch = formatCode[i];
        if (ch == u'"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (ch == u'\\' || ch == u'_' || ch == u'*') {
            ++i;
        } else if (ch == u'[') {
            const qsizetype end = formatCode.indexOf(u']', i);
            const QString inner = formatCode.mid(i + 1, end - i - 1).toLower();
            if (inner == u"h"_s || inner == u"hh"_s || inner == u"mm"_s || inner == u"ss"_s)
                letters += u'h';
            i = end < 0 ? formatCode.size() : end;
        } else if (ch == u';') {
            break;
        } else {
            letters += ch.toLower();
        }
    }
    letters.remove(u"general"_s);
    const bool time = letters.contains(u'h') || letters.contains(u's') || letters.contains(u"am/pm"_s);
    const bool date = letters.contains(u'y') || letters.contains(u'd') || (letters.contains(u'm') && !time);
    if (date && time)
        return DateKind::DateTime;
    return date ? DateKind::Date : time ? DateKind::Time : DateKind::None;
}

QString SpreadsheetReader::serialText(double serial, DateKind kind, bool date1904)
{
    // Past the year 9999 (and NaN) no date is meant, and the seconds below would overflow.
    if (!(std::fabs(serial) < 2958466.0))
        return numberText(serial);
    const auto seconds = static_cast<qint64>(std::llround(serial * 86400.0));
    const qint64 days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    const int rest = static_cast<int>(seconds - days * 86400);
    const QDate date = (date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30)).addDays(days);
    const QString time = QTime(0, 0).addSecs(rest).toString(u"HH:mm:ss"_s);
    switch (kind) {
    case DateKind::Date:
        return date.toString(u"yyyy-MM-dd"_s);
    case DateKind::DateTime:
        return date.toString(u"yyyy-MM-dd"_s) + u' ' + time;
    case DateKind::Time:
        return time;
    case DateKind::None:
        break;
    }
    return numberText(serial);
}

void SpreadsheetReader::fail(long number, const QString& path, const QString& message)
{
    throw AppError(number, u"SpreadsheetReader"_s, message + vbCrLf + u"파일: "_s + path);
}

} // namespace asv
