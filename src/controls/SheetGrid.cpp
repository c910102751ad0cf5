#include "SheetGrid.h"

#include "SpreadsheetReader.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QString count(qint64 n)
{
    return QLocale(QLocale::Korean).toString(n);
}

} // namespace

SheetGrid::SheetGrid(QString path) : m_path(std::move(path)) {}

void SheetGrid::checkSize(qint64 rows, qint64 width) const
{
    if (rows > kMaxRows)
        SpreadsheetReader::fail(SpreadsheetReader::kBrokenFile, m_path,
                                u"행이 너무 많습니다. (최대 %1행)"_s.arg(count(kMaxRows)));
    if (width > kMaxColumns)
        SpreadsheetReader::fail(SpreadsheetReader::kBrokenFile, m_path,
                                u"열이 너무 많습니다. (최대 %1열)"_s.arg(count(kMaxColumns)));
    if (rows * width > kMaxCells)
        SpreadsheetReader::fail(SpreadsheetReader::kBrokenFile, m_path,
                                u"자료가 너무 많습니다: %1행 × %2열 (최대 %3칸)."_s.arg(count(rows), count(width),
                                                                                      count(kMaxCells))
                                    + u" 필요한 행과 열만 남기거나 파일을 나누어 주세요."_s);
}

void SheetGrid::put(qint64 row, qint64 column, const QString& text)
{
    if (text.isEmpty())
        return;
    if (row < 0 || column < 0)
        SpreadsheetReader::fail(SpreadsheetReader::kBrokenFile, m_path, u"셀 위치가 잘못되었습니다."_s);
    const qint64 width = std::max(m_width, column + 1);
    checkSize(std::max<qint64>(m_rows.size(), row + 1), width);
    m_width = width;
    while (m_rows.size() <= row)
        m_rows.append(QStringList());
    QStringList& cells = m_rows[static_cast<qsizetype>(row)];
    while (cells.size() <= column)
        cells.append(QString());
    cells[static_cast<qsizetype>(column)] = text;
}

void SheetGrid::appendRow(QStringList cells)
{
    const qint64 width = std::max<qint64>(m_width, cells.size());
    checkSize(m_rows.size() + 1, width);
    m_width = width;
    m_rows.append(std::move(cells));
}

QList<QStringList> SheetGrid::take()
{
    auto blank = [](const QStringList& row) {
        for (const QString& cell : row) {
            if (!cell.isEmpty())
                return false;
        }
        return true;
    };
    while (!m_rows.isEmpty() && blank(m_rows.last()))
        m_rows.removeLast();
    qsizetype width = 0;
    for (const QStringList& row : m_rows)
        width = std::max(width, row.size());
    for (QStringList& row : m_rows) {
        while (row.size() < width)
            row.append(QString());
    }
    m_width = 0;
    return std::move(m_rows);
}

} // namespace asv
