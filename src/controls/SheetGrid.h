#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace asv {

// The cells of one sheet as a reader finds them, in any order. A file names cell positions and
// sizes that nothing checks, so the grid refuses positions beyond the largest sheet the newer
// format allows and grids that would not fit in memory, with a message saying which limit.
class SheetGrid {
public:
    static constexpr qint64 kMaxRows = 1048576;
    static constexpr qint64 kMaxColumns = 16384;
    // 1,048,576 rows of 16 columns; past it the padded grid alone takes hundreds of megabytes.
    static constexpr qint64 kMaxCells = kMaxRows * 16;

    explicit SheetGrid(QString path);

    // An empty text changes nothing. Throws AppError (kBrokenFile) past a limit.
    void put(qint64 row, qint64 column, const QString& text);
    // Appends a whole row after the last one, as text files are read.
    void appendRow(QStringList cells);
    // Rows of equal length (the widest row's), up to the last row holding anything.
    QList<QStringList> take();

private:
    void checkSize(qint64 rows, qint64 width) const;

    QString m_path;
    QList<QStringList> m_rows;
    qint64 m_width = 0;
};

} // namespace asv
