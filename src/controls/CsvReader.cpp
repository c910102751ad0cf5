#include "CsvReader.h"

#include "Cp949.h"
#include "SheetGrid.h"

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
    // The text is held three times over (bytes, characters, cells): past this it would not fit.
    if (file.size() > kMaxFileSize)
        fail(kBrokenFile, path, u"파일이 너무 큽니다. (최대 %1 MB) 파일을 나누어 주세요."_s.arg(kMaxFileSize >> 20));
    const QString text = decode(file.readAll());
    file.close();
    SheetGrid grid(path);
    parse(text, grid);
    m_rows = grid.take();
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

// Tabs when the first record has tabs and no commas; both counted outside quotes, where a
// cell may hold either and line breaks too.
QChar CsvReader::separatorOf(const QString& text)
{
    bool quoted = false;
    bool tabs = false;
    for (const QChar ch : text) {
        if (ch == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (ch == u',')
            return u',';
        else if (ch == u'\t')
            tabs = true;
        else if (ch == u'\n' || ch == u'\r')
            break;
    }
    return tabs ? u'\t' : u',';
}

void CsvReader::parse(const QString& text, SheetGrid& grid)
{
    const QChar separator = separatorOf(text);

    QStringList row;
    QString field;
    bool quoted = false;
    bool lineHasContent = false;
    auto endField = [&] {
        // An exact copy: the field's spare capacity would otherwise stay with every cell.
        row.append(QStringView(field).toString());
        field.resize(0);
    };
    auto endLine = [&] {
        endField();
        const qsizetype width = row.size();
        grid.appendRow(std::move(row));
        row = QStringList();
        row.reserve(width);
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
}

} // namespace asv
