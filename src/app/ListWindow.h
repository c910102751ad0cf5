#pragma once

#include "GridPrinter.h"
#include "SearchList.h"
#include "modExcel.h"

#include <QWidget>

namespace asv {

class FindBar;
class Grid;

// What the list windows of the main window share (customers, users; products next): the search
// row with its search button (`btnFind`), the list (`spList`), the buttons new (`btnNew`), edit
// (`btnEdit`), copy (`btnCopy`, where the editor copies), delete (`btnDelete`), print (`btnPrint`),
// export (`btnExcel`) and close (`btnClose`), the delete of the selected rows, print and export of
// the shown list, and finding a saved record again. A list supplies its statement, its editor and
// the delete of one record.
class ListWindow : public QWidget {
    Q_OBJECT
public:
    struct Style {
        QString printTitle; // above the printed list
        bool copy = false;  // the editor also copies a record as a new one
        // Most lists ask with Yes as the default button and report how many rows went.
        bool deleteYesByDefault = true;
        bool reportDeleted = true;
    };

    // Reads the list again with the current search; the number of rows.
    int Refresh_Sheet();

    // The list as printed and as exported (sheet "Sheet1" unless the options say otherwise).
    GridPrinter listPrinter() const;
    QString exportList(const ExcelExportOptions& options);

    Grid* list() const { return m_list.grid(); }

    // Opened for the first time, a list shows a page of rows, not the few its layout needs.
    QSize sizeHint() const override { return {1000, 560}; }

protected:
    ListWindow(QWidget* parent, const QString& name, const QString& title, const QList<FindKey>& keys,
               int defaultKey, const Style& style);

    // Fills the list for the search row.
    virtual void fill() = 0;
    virtual void openEditor(int mode, const QString& code) = 0;
    // Deletes one record, saying why not when it may not go; true when it is gone.
    virtual bool deleteRecord(const QString& code) = 0;
    // Why a selected record may never be deleted, asked before the question; "" when it may.
    virtual QString deleteRefusal(const QString&) const { return {}; }
    // Below the printed title: what the list shows; none unless told.
    virtual QString printSubtitle() const { return {}; }
    // After the list was read or rows left it.
    virtual void listChanged() {}

    // Call at the end of the derived constructor: lays out the buttons and reads the list.
    void finishLayout();
    // Reads the list again after the editor saved code, and selects it.
    void refreshAfterSave(const QString& code);

    FindBar* findBar() const { return m_list.findBar(); }
    SearchList& searchList() { return m_list; }

    void closeEvent(QCloseEvent* event) override;

private:
    void fillList();
    void openForSelected(int mode, const QString& noSelection);
    void deleteSelected();

    SearchList m_list;
    Style m_style;
};

} // namespace asv
