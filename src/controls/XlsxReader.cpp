#include "XlsxReader.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QTime>
#include <QXmlStreamReader>
#include <cmath>
#include <zip.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kBroken = u"엑셀파일의 정보를 알수 없습니다. 파일이 손상되었습니다."_s;
// Larger parts are refused rather than unpacked into memory.
constexpr zip_uint64_t kMaxPartSize = 512u * 1024u * 1024u;

QString attribute(const QXmlStreamReader& x, QStringView localName)
{
    for (const QXmlStreamAttribute& a : x.attributes()) {
        if (a.name() == localName)
            return a.value().toString();
    }
    return {};
}

// Text of the <t> elements up to the end of the element the reader stands in, without the
// phonetic guides (<rPh>) that East Asian workbooks add to names.
QString richText(QXmlStreamReader& x)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (x.name() == u"rPh"_s)
                x.skipCurrentElement();
            else if (x.name() == u"t"_s)
                text += x.readElementText(QXmlStreamReader::IncludeChildElements);
            else
                ++depth;
        } else if (x.isEndElement()) {
            --depth;
        }
    }
    return text;
}

// "AB12" -> column 27, row 11 (both from 0); false without a usable reference.
bool parseReference(const QString& ref, int* row, int* col)
{
    int c = 0;
    qsizetype i = 0;
    while (i < ref.size() && ref[i].isLetter()) {
        c = c * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
        ++i;
    }
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (i == 0 || !ok || r < 1)
        return false;
    *row = r - 1;
    *col = c - 1;
    return true;
}

} // namespace

XlsxReader::XlsxReader(const QString& path) : m_path(path)
{
    int error = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!m_zip) {
        if (error == ZIP_ER_OPEN || error == ZIP_ER_READ)
            fail(kCannotOpen, path, u"파일을 열 수 없습니다."_s);
        fail(kBrokenFile, path, kBroken);
    }
    readWorkbook();
    readSharedStrings();
    readStyles();
}

XlsxReader::~XlsxReader()
{
    if (m_zip)
        zip_discard(m_zip);
}

void XlsxReader::closeAndFail(long number, const QString& message)
{
    zip_discard(m_zip);
    m_zip = nullptr;
    fail(number, m_path, message);
}

QByteArray XlsxReader::part(const QString& name)
{
    const QByteArray entry = name.toUtf8();
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(m_zip, entry.constData(), ZIP_FL_NOCASE, &st) != 0)
        return {};
    if (!(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPartSize)
        closeAndFail(kBrokenFile, kBroken);
    zip_file_t* f = zip_fopen(m_zip, entry.constData(), ZIP_FL_NOCASE);
    if (!f) {
        if (zip_error_code_zip(zip_get_error(m_zip)) == ZIP_ER_NOPASSWD)
            closeAndFail(kCannotOpen, u"암호가 걸린 엑셀파일은 읽을 수 없습니다."_s);
        closeAndFail(kBrokenFile, kBroken);
    }
    QByteArray data(static_cast<qsizetype>(st.size), Qt::Uninitialized);
    const zip_int64_t n = zip_fread(f, data.data(), st.size);
    zip_fclose(f);
    if (n < 0 || static_cast<zip_uint64_t>(n) != st.size)
        closeAndFail(kBrokenFile, kBroken);
    return data;
}

void XlsxReader::readWorkbook()
{
    const QByteArray workbook = part(u"xl/workbook.xml"_s);
    if (workbook.isEmpty())
        closeAndFail(kNotSpreadsheet, u"엑셀파일이 아닙니다. (통합문서 정보가 없습니다)"_s);

    QHash<QString, QString> targets;
    QXmlStreamReader rels(part(u"xl/_rels/workbook.xml.rels"_s));
    while (!rels.atEnd()) {
        if (rels.readNext() == QXmlStreamReader::StartElement && rels.name() == u"Relationship"_s) {
            QString target = attribute(rels, u"Target");
            target = target.startsWith(u'/') ? target.mid(1) : u"xl/"_s + target;
            targets.insert(attribute(rels, u"Id"), target);
        }
    }

    QXmlStreamReader x(workbook);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == u"workbookPr"_s) {
            const QString v = attribute(x, u"date1904");
            m_date1904 = v == u"1"_s || v == u"true"_s;
        } else if (x.name() == u"sheet"_s) {
            m_sheets.append(attribute(x, u"name"));
            m_sheetParts.append(targets.value(attribute(x, u"id")));
        }
    }
    if (x.hasError() || m_sheets.isEmpty())
        closeAndFail(kBrokenFile, kBroken);
}

void XlsxReader::readSharedStrings()
{
    QXmlStreamReader x(part(u"xl/sharedStrings.xml"_s));
    while (!x.atEnd()) {
        if (x.readNext() == QXmlStreamReader::StartElement && x.name() == u"si"_s)
            m_strings.append(richText(x));
    }
    if (x.hasError() && x.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        closeAndFail(kBrokenFile, kBroken);
}

void XlsxReader::readStyles()
{
    QHash<int, QString> codes;
    bool inCellXfs = false;
    QXmlStreamReader x(part(u"xl/styles.xml"_s));
    while (!x.atEnd()) {
        x.readNext();
        if (x.isEndElement() && x.name() == u"cellXfs"_s)
            inCellXfs = false;
        if (!x.isStartElement())
            continue;
        if (x.name() == u"numFmt"_s)
            codes.insert(attribute(x, u"numFmtId").toInt(), attribute(x, u"formatCode"));
        else if (x.name() == u"cellXfs"_s)
            inCellXfs = true;
        else if (inCellXfs && x.name() == u"xf"_s) {
            const int id = attribute(x, u"numFmtId").toInt();
            m_styleDates.push_back(dateKindOf(id, codes.value(id)));
        }
    }
}

XlsxReader::DateKind XlsxReader::dateKindOf(int numFmtId, const QString& formatCode)
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

QString XlsxReader::serialText(double serial, DateKind kind, bool date1904)
{
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

QString XlsxReader::cellValue(QXmlStreamReader& x, const QString& type, int style)
{
    QString v;
    QString inlineText;
    int depth = 1;
    while (depth > 0 && !x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (x.name() == u"v"_s)
                v = x.readElementText();
            else if (x.name() == u"is"_s)
                inlineText = richText(x);
            else
                x.skipCurrentElement();
        } else if (x.isEndElement()) {
            --depth;
        }
    }
    if (type == u"s"_s)
        return m_strings.value(v.toInt());
    if (type == u"inlineStr"_s)
        return inlineText;
    if (type == u"b"_s)
        return v == u"1"_s ? u"TRUE"_s : u"FALSE"_s;
    if (type == u"str"_s || type == u"e"_s || type == u"d"_s || v.isEmpty())
        return v;
    bool ok = false;
    const double number = v.toDouble(&ok);
    if (!ok)
        return v;
    const DateKind kind = style >= 0 && static_cast<size_t>(style) < m_styleDates.size()
        ? m_styleDates[static_cast<size_t>(style)]
        : DateKind::None;
    return kind == DateKind::None ? numberText(number) : serialText(number, kind, m_date1904);
}

QList<QStringList> XlsxReader::readSheet(int index)
{
    if (index < 0 || index >= m_sheets.size())
        fail(kBrokenFile, m_path, u"시트를 찾을 수 없습니다: %1"_s.arg(index + 1));
    const QByteArray data = part(m_sheetParts[index]);
    if (data.isEmpty())
        fail(kBrokenFile, m_path, kBroken + u" (시트: "_s + m_sheets[index] + u')');

    QList<QStringList> rows;
    int row = -1;
    int col = 0;
    QXmlStreamReader x(data);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == u"row"_s) {
            bool ok = false;
            const int r = attribute(x, u"r").toInt(&ok);
            row = ok && r >= 1 ? r - 1 : row + 1;
            col = 0;
        } else if (x.name() == u"c"_s) {
            int r = std::max(row, 0);
            int c = col;
            parseReference(attribute(x, u"r"), &r, &c);
            bool styled = false;
            const int style = attribute(x, u"s").toInt(&styled);
            const QString text = cellValue(x, attribute(x, u"t"), styled ? style : -1);
            col = c + 1;
            if (text.isEmpty())
                continue;
            while (rows.size() <= r)
                rows.append(QStringList());
            QStringList& cells = rows[r];
            while (cells.size() <= c)
                cells.append(QString());
            cells[c] = text;
        }
    }
    if (x.hasError())
        fail(kBrokenFile, m_path, kBroken + u" (시트: "_s + m_sheets[index] + u')');
    squareUp(rows);
    return rows;
}

} // namespace asv
