#pragma once

#include <QString>
#include <functional>

namespace asv {

class Grid;

struct ExcelExportOptions {
    QString path;                  // empty: "ExpExcel/Exp<yyMMdd_HHmmss>.xlsx" in the program folder
    QString sheetName = QStringLiteral("Sheet1");
    bool silent = false;           // no confirmation question
    bool openAfter = true;         // open the file with its registered program afterwards
    bool withColumnHeaders = true; // the column captions as bold, centred first row
    bool skipEmptyCheck = false;   // export even a list without rows
    bool withPeriodRow = false;    // a first row "일자:" + fromDate + "~" + toDate
    QString fromDate;
    QString toDate;
    bool checkRight = true;        // ask the export-right hook first
};

// Writes the shown columns of the list, in screen order, into a spreadsheet file: numbers as
// numbers in the column's format, everything else as text. The list itself is not touched.
// Returns the file written, or an empty text when nothing was written.
QString ExportToExcelFile(const Grid& grid, const ExcelExportOptions& options);

// The application decides who may export; without a hook everybody may.
void SetExportRightCheck(std::function<bool()> mayExport);

} // namespace asv
