#include "modExcel.h"

#include "Clock.h"
#include "Grid.h"
#include "Paths.h"
#include "modMsgBox.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QUrl>
#include <cmath>
#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

std::function<bool()>& exportRight()
{
    static std::function<bool()> hook;
    return hook;
}

// Above this many cells the writer streams rows instead of holding the sheet in memory.
constexpr qsizetype kStreamingCells = 200000;

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

class Formats {
public:
    explicit Formats(lxw_workbook* wb) : m_wb(wb)
    {
        m_bold = workbook_add_format(wb);
        format_set_bold(m_bold);
        m_header = workbook_add_format(wb);
        format_set_bold(m_header);
        format_set_align(m_header, LXW_ALIGN_CENTER);
    }
    lxw_format* bold() const { return m_bold; }
    lxw_format* header() const { return m_header; }

    // The list's number format; a whole number drops an optional fraction ("#,##0.##"), which the
    // spreadsheet would otherwise show with a trailing point.
    lxw_format* number(const QString& listFormat, double value)
    {
        QString f = listFormat;
        const qsizetype point = f.indexOf(u'.');
        if (point >= 0 && !f.mid(point + 1).contains(u'0') && value == std::trunc(value))
            f.truncate(point);
        if (f.isEmpty())
            return nullptr;
        auto it = m_numbers.find(f);
        if (it == m_numbers.end()) {
            lxw_format* fmt = workbook_add_format(m_wb);
            format_set_num_format(fmt, f.toUtf8().constData());
            it = m_numbers.insert(f, fmt);
        }
        return *it;
    }

private:
    lxw_workbook* m_wb;
    lxw_format* m_bold;
    lxw_format* m_header;
    QHash<QString, lxw_format*> m_numbers;
};

QString writeWorkbook(const Grid& grid, const QString& path, const ExcelExportOptions& o, int* rowsWritten)
{
    const GridModel& cells = grid.cells();
    const QList<int> columns = grid.visibleColumns();
    lxw_workbook_options options{};
    options.constant_memory = qsizetype(grid.rowCount()) * columns.size() > kStreamingCells ? LXW_TRUE : LXW_FALSE;
    lxw_workbook* wb = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!wb)
        return u"workbook_new"_s;

    QByteArray sheetName = o.sheetName.toUtf8();
    if (sheetName.isEmpty() || workbook_validate_sheet_name(wb, sheetName.constData()) != LXW_NO_ERROR)
        sheetName = "Sheet1";
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheetName.constData());
    Formats formats(wb);

    lxw_row_t row = 0;
    if (o.withPeriodRow) {
        const QString period = u"일자:"_s + o.fromDate + u"~"_s + o.toDate;
        worksheet_write_string(ws, row++, 0, period.toUtf8().constData(), formats.bold());
    }
    if (o.withColumnHeaders) {
        for (int i = 0; i < columns.size(); ++i) {
            const QByteArray caption = cells.caption(columns[i]).toUtf8();
            worksheet_write_string(ws, row, static_cast<lxw_col_t>(i), caption.constData(), formats.header());
        }
        ++row;
    }
    for (int r = 0; r < grid.rowCount(); ++r, ++row) {
        for (int i = 0; i < columns.size(); ++i) {
            const int c = columns[i];
            const QString text = cells.text(r, c);
            if (text.isEmpty())
                continue;
            const auto col = static_cast<lxw_col_t>(i);
            const GridModel::CellKind kind = cells.kind(c);
            double v = 0;
            if ((kind == GridModel::CellKind::Number || kind == GridModel::CellKind::Formula)
                && GridModel::parseNumber(text, &v)) {
                worksheet_write_number(ws, row, col, v, formats.number(cells.numberFormat(c), v));
            } else {
                worksheet_write_string(ws, row, col, text.toUtf8().constData(), nullptr);
            }
        }
    }
    for (int i = 0; i < columns.size(); ++i) {
        const double chars = std::max(2.0, grid.columnWidth(columns[i]) / 7.0);
        worksheet_set_column(ws, static_cast<lxw_col_t>(i), static_cast<lxw_col_t>(i), chars, nullptr);
    }
    *rowsWritten = static_cast<int>(row);
    const lxw_error e = workbook_close(wb);
    return e == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(e));
}

void writeLog(const QString& path, const QString& sheet, int rows, int columns, const QString& error)
{
    const QFileInfo fi(path);
    QFile log(fi.absolutePath() + u'/' + fi.completeBaseName() + u"LOG.TXT"_s);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return;
    const QString text = Clock::now().toString(u"yyyy-MM-dd HH:mm:ss"_s) + u"\n"_s
        + u"파일: "_s + path + u"\n"_s
        + u"시트: "_s + sheet + u"\n"_s
        + u"행: %1, 열: %2\n"_s.arg(rows).arg(columns)
        + (error.isEmpty() ? u"결과: 완료\n"_s : u"결과: 실패 ("_s + error + u")\n"_s);
    log.write(text.toUtf8());
}

} // namespace

void SetExportRightCheck(std::function<bool()> mayExport)
{
    exportRight() = std::move(mayExport);
}

QString ExportToExcelFile(const Grid& grid, const ExcelExportOptions& options)
{
    return Guarded(u"ExportToExcelFile"_s, u"Module"_s, u"modExcel"_s, QString(), [&]() -> QString {
        if (options.checkRight && exportRight() && !exportRight()()) {
            MsgInfo(u"[엑셀로 자료 내보내기] 사용권한이 없습니다."_s + vbCrLf
                    + u"프로그램 관리자에게 사용권한에 대해 문의바랍니다."_s);
            return {};
        }
        if (!options.skipEmptyCheck && grid.rowCount() == 0) {
            MsgInfo(u"엑셀로 보낼 데이터가 없습니다."_s + vbCrLf + u"자료 조회 후 엑셀로 보내세요."_s);
            return {};
        }
        if (!options.silent && MsgYesNo(u"엑셀로 자료를 내보내기 하시겠습니까?"_s, {}, true) != MsgAnswer::Yes)
            return {};

        QString path = options.path;
        if (path.isEmpty()) {
            const QString folder = Paths::file(u"ExpExcel"_s);
            QDir().mkpath(folder);
            path = folder + u"/Exp"_s + Clock::now().toString(u"yyMMdd_HHmmss"_s) + u".xlsx"_s;
        }
        int rows = 0;
        QString error;
        {
            WaitCursor wait;
            error = writeWorkbook(grid, path, options, &rows);
        }
        writeLog(path, options.sheetName, rows, static_cast<int>(grid.visibleColumns().size()), error);
        if (!error.isEmpty()) {
            MsgWarn(u"엑셀로 내보내기에 실패했습니다."_s);
            return {};
        }
        if (options.openAfter)
            QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        return path;
    });
}

} // namespace asv
