#include "XlsxReader.h"

#include "SheetGrid.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QUrl>
#include <QXmlStreamReader>
#include <zip.h>

#include <functional>

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

// Walks what lies inside the element the reader stands in, to its end. take(name) reads or skips
// the element it is given and says so; an element it leaves is walked into.
void walkInside(QXmlStreamReader& x, const std::function<bool(QStringView name)>& take)
{
    int depth = 1;
    while (depth > 0 && !x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (!take(x.name()))
                ++depth;
        } else if (x.isEndElement()) {
            --depth;
        }
    }
}

// Text of the <t> elements up to the end of the element the reader stands in, without the
// phonetic guides (<rPh>) that East Asian workbooks add to names.
QString richText(QXmlStreamReader& x)
{
    QString text;
    walkInside(x, [&](QStringView name) {
        if (name == u"rPh"_s)
            x.skipCurrentElement();
        else if (name == u"t"_s)
            text += x.readElementText(QXmlStreamReader::IncludeChildElements);
        else
            return false;
        return true;
    });
    return text;
}

// "AB12" -> column 27, row 11 (both from 0); false without a usable reference.
bool parseReference(const QString& ref, qint64* row, qint64* col)
{
    qint64 c = 0;
    qsizetype i = 0;
    // Letters past A-Z and more than four of them (XFD is the last column) name no cell.
    while (i < ref.size() && i < 4 && ref[i].toUpper() >= u'A' && ref[i].toUpper() <= u'Z') {
        c = c * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
        ++i;
    }
    bool ok = false;
    const qint64 r = ref.mid(i).toLongLong(&ok);
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
    // A sheet refused before closed the package; another sheet or a second try gets the same answer.
    if (!m_zip)
        fail(kBrokenFile, m_path, kBroken);
    const QByteArray entry = name.toUtf8();
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(m_zip, entry.constData(), ZIP_FL_NOCASE, &st) != 0)
        return {};
    if (!(st.valid & ZIP_STAT_SIZE))
        closeAndFail(kBrokenFile, kBroken);
    // A few kilobytes of a packed file can unpack to gigabytes: the size is refused, not tried.
    if (st.size > kMaxPartSize)
        closeAndFail(kBrokenFile, u"파일 안의 %1 부분이 너무 큽니다: 압축을 풀면 %2 MB (최대 %3 MB)."_s.arg(
                                      name, QString::number(st.size >> 20), QString::number(kMaxPartSize >> 20))
                                      + u" 자료를 나누어 저장한 뒤 다시 시도하세요."_s);
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

QHash<QString, XlsxReader::Relationship> XlsxReader::relationships(const QString& partName)
{
    const qsizetype slash = partName.lastIndexOf(u'/');
    const QString folder = partName.left(slash + 1);
    const QString relsName = folder + u"_rels/"_s + partName.mid(slash + 1) + u".rels"_s;
    QHash<QString, Relationship> found;
    QXmlStreamReader x(part(relsName));
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement || x.name() != u"Relationship"_s
            || attribute(x, u"TargetMode").compare(u"External"_s, Qt::CaseInsensitive) == 0)
            continue;
        const QString target = QUrl::fromPercentEncoding(attribute(x, u"Target").toUtf8());
        const QString type = attribute(x, u"Type");
        found.insert(attribute(x, u"Id"),
                     {type.mid(type.lastIndexOf(u'/') + 1),
                      QDir::cleanPath(target.startsWith(u'/') ? target.mid(1) : folder + target)});
    }
    return found;
}

void XlsxReader::readWorkbook()
{
    // The package relationships name the workbook part; most writers put it at xl/workbook.xml
    // and some packages have no relationships at all.
    QString workbookName = u"xl/workbook.xml"_s;
    for (const Relationship& r : relationships(QString())) {
        if (r.type == u"officeDocument"_s)
            workbookName = r.target;
    }
    const QByteArray workbook = part(workbookName);
    if (workbook.isEmpty())
        closeAndFail(kNotSpreadsheet, u"엑셀파일이 아닙니다. (통합문서 정보가 없습니다)"_s);

    const QString folder = workbookName.left(workbookName.lastIndexOf(u'/') + 1);
    const QHash<QString, Relationship> rels = relationships(workbookName);
    QString sharedStrings = folder + u"sharedStrings.xml"_s;
    QString styles = folder + u"styles.xml"_s;
    for (const Relationship& r : rels) {
        if (r.type == u"sharedStrings"_s)
            sharedStrings = r.target;
        else if (r.type == u"styles"_s)
            styles = r.target;
    }

    QXmlStreamReader x(workbook);
    bool rootSeen = false;
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (!rootSeen && x.name() != u"workbook"_s)
            closeAndFail(kNotSpreadsheet, u"엑셀파일이 아닙니다. (통합문서 정보가 없습니다)"_s);
        rootSeen = true;
        if (x.name() == u"workbookPr"_s) {
            const QString v = attribute(x, u"date1904");
            m_date1904 = v == u"1"_s || v == u"true"_s;
        } else if (x.name() == u"sheet"_s) {
            m_sheets.append(attribute(x, u"name"));
            const auto rel = rels.constFind(attribute(x, u"id"));
            m_sheetParts.append(rel != rels.cend() ? rel->target
                                                   : folder + u"worksheets/sheet%1.xml"_s.arg(m_sheets.size()));
        }
    }
    if (x.hasError() || m_sheets.isEmpty())
        closeAndFail(kBrokenFile, kBroken);
    readSharedStrings(sharedStrings);
    readStyles(styles);
}

void XlsxReader::readSharedStrings(const QString& name)
{
    QXmlStreamReader x(part(name));
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement || x.name() != u"si"_s)
            continue;
        // A few bytes a string: a packed part of blanks would otherwise list hundreds of millions.
        if (m_strings.size() >= SheetGrid::kMaxCells)
            closeAndFail(kBrokenFile, kBroken + u" (공유 문자열이 너무 많습니다)"_s);
        m_strings.append(richText(x));
    }
    if (x.hasError() && x.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        closeAndFail(kBrokenFile, kBroken);
}

void XlsxReader::readStyles(const QString& name)
{
    QHash<int, QString> codes;
    bool inCellXfs = false;
    QXmlStreamReader x(part(name));
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

QString XlsxReader::cellValue(QXmlStreamReader& x, const QString& type, int style)
{
    QString v;
    QString inlineText;
    walkInside(x, [&](QStringView name) {
        if (name == u"v"_s)
            v = x.readElementText();
        else if (name == u"is"_s)
            inlineText = richText(x);
        else
            x.skipCurrentElement();
        return true;
    });
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
    QByteArray data = part(m_sheetParts[index]);
    if (data.isEmpty())
        fail(kBrokenFile, m_path, kBroken + u" (시트: "_s + m_sheets[index] + u')');

    SheetGrid grid(m_path);
    qint64 row = -1;
    qint64 col = 0;
    QBuffer device(&data);
    device.open(QIODevice::ReadOnly);
    QXmlStreamReader x(&device);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (x.name() == u"row"_s) {
            bool ok = false;
            const qint64 r = attribute(x, u"r").toLongLong(&ok);
            row = std::min(ok && r >= 1 ? r - 1 : row + 1, SheetGrid::kMaxRows);
            col = 0;
        } else if (x.name() == u"c"_s) {
            qint64 r = std::max<qint64>(row, 0);
            qint64 c = col;
            parseReference(attribute(x, u"r"), &r, &c);
            bool styled = false;
            const int style = attribute(x, u"s").toInt(&styled);
            grid.put(r, c, cellValue(x, attribute(x, u"t"), styled ? style : -1));
            col = c + 1;
        }
    }
    if (x.hasError())
        fail(kBrokenFile, m_path, kBroken + u" (시트: "_s + m_sheets[index] + u')');
    return grid.take();
}

} // namespace asv
