#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace asv {

class Grid;

// Prints a list: title and subtitle on the first page, the column captions on every page, only
// the printed columns (shrunk to the page width when wider), page numbers at the foot. The page
// set-up is remembered per list (PageSetupMemory).
class GridPrinter {
public:
    GridPrinter(const Grid& grid, const QString& title, const QString& subtitle = {});

    const QString& subtitle() const { return m_subtitle; }
    // A band across the table above a row, for lists printed in groups; "" for none.
    void setRowHeading(std::function<QString(int row)> heading) { m_rowHeading = std::move(heading); }

    // The remembered page set-up's name; by default the grid's form.
    void setSetupName(const QString& name) { m_setupName = name; }
    const QString& setupName() const { return m_setupName; }

    void loadPageSetup(QPrinter& printer) const;
    void savePageSetup(const QPrinter& printer) const;

    // Paints every page; the number of pages, 0 when the printer could not be opened.
    int render(QPrinter& printer) const;
    bool printToPdf(const QString& path) const;
    void preview(QWidget* parent) const;
    bool print(QWidget* parent) const;

    static QString setupApplication();

private:
    const Grid& m_grid;
    QString m_title;
    QString m_subtitle;
    QString m_setupName;
    std::function<QString(int row)> m_rowHeading;
};

} // namespace asv
