#include "CsvReader.h"

#include "Cp949.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace asv {

CsvReader::CsvReader(const QString& path) : m_path(path), m_name(QFileInfo(path).completeBaseName())
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(kCannotOpen, path, u"파일을 열 수 없습니다."_s);
    m_rows = parse(decode(file.readAll()));
    squareUp(m_rows);
}

QList<QStringList> CsvReader::readSheet(int index)
{
    if (index != 0)
        fail(kBrokenFile, m_path, u"시트를 찾을 수 없습니다: %1"_s.arg(index + 1));
    return m_rows;
}

QString CsvReader::decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16);
        return utf16(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? Cp949::decode(bytes) : text;
}

QList<QStringList> CsvReader::parse(const QString& text)
{
    const qsizetype firstBreak = text.indexOf(u'\n');
    const QStringView firstLine = QStringView(text).left(firstBreak < 0 ? text.size() : firstBreak);
    const QChar separator = firstLine.contains(u'\t') && !firstLine.contains(u',') ? u'\t' : u',';

    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool lineHasContent = false;
    auto endField = [&] {
        row.append(field);
        field.clear();
    };
    auto endLine = [&] {
        endField();
        rows.append(row);
        row.clear();
        lineHasContent = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch != u'"')
                field += ch;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else
                quoted = false;
            continue;
        }
        if (ch == u'"' && field.isEmpty()) {
            quoted = true;
            lineHasContent = true;
        } else if (ch == separator) {
            endField();
            lineHasContent = true;
        } else if (ch == u'\r' || ch == u'\n') {
            if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endLine();
        } else {
            field += ch;
            lineHasContent = true;
        }
    }
    if (lineHasContent)
        endLine();
    return rows;
}

} // namespace asv
