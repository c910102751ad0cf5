#include "DayTotals.h"

#include "GridModel.h"
#include "SqlNumber.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

struct Day {
    int end; // the row after the date's last line
    QList<double> sums;
};

void writeTotal(GridModel& cells, int row, int dateColumn, const QString& label, const QList<int>& columns,
                const QList<double>& sums)
{
    cells.setText(row, dateColumn, label);
    for (qsizetype i = 0; i < columns.size(); ++i)
        cells.setText(row, columns[i], SqlNumber(sums[i]));
    cells.setRowColors(row, {}, QColor(235, 240, 250));
}

} // namespace

void AddDayTotals(GridModel& cells, int dateColumn, const QList<int>& summedColumns)
{
    const int lines = cells.rowCount();
    if (lines == 0)
        return;
    std::vector<Day> days;
    QList<double> grand(summedColumns.size(), 0.0);
    QString date;
    for (int row = 0; row < lines; ++row) {
        if (days.empty() || cells.text(row, dateColumn) != date) {
            date = cells.text(row, dateColumn);
            days.push_back({row + 1, QList<double>(summedColumns.size(), 0.0)});
        }
        Day& day = days.back();
        day.end = row + 1;
        for (qsizetype i = 0; i < summedColumns.size(); ++i) {
            const double value = cells.number(row, summedColumns[i]);
            day.sums[i] += value;
            grand[i] += value;
        }
    }
    // From the last day back, so that the rows of the earlier days keep their places.
    for (auto day = days.rbegin(); day != days.rend(); ++day) {
        cells.insertBlankRows(day->end, 1);
        writeTotal(cells, day->end, dateColumn, u"[소 계]"_s, summedColumns, day->sums);
    }
    const int last = cells.rowCount();
    cells.setRowCount(last + 1);
    writeTotal(cells, last, dateColumn, u"[합 계]"_s, summedColumns, grand);
}

} // namespace asv
