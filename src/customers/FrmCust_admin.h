#pragma once

#include "GridPrinter.h"
#include "modExcel.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

namespace asv {

class FindBar;
class Grid;
class hclimit;

// The customer management list: search, the editor for new, changed and copied customers,
// delete, print and spreadsheet export.
class FrmCust_admin : public QWidget {
    Q_OBJECT
public:
    explicit FrmCust_admin(QWidget* parent = nullptr);

    // Reads the list again with the current search; the number of rows.
    int Refresh_Sheet();
    // The editor saved code: the list is read again and the customer selected.
    void SyncUpdateCust(const QString& code);

    // The list as printed and as exported (sheet "Sheet1" unless the options say otherwise).
    GridPrinter listPrinter() const;
    QString exportList(const ExcelExportOptions& options);

    Grid* list() const { return m_spList; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    int load();
    void showCount();
    void orderChosen();
    void openEditor(int mode);
    void deleteSelected();
    int columnOf(const QString& field) const;
    int rowOfCode(const QString& code) const;

    FindBar* m_findBar;
    QComboBox* m_cmbOrderBy;
    QCheckBox* m_chkShowHidden;
    hclimit* m_hcLimit;
    QLabel* m_lblCount;
    Grid* m_spList;
    QStringList m_fields; // the record-set field of each column
    bool m_tamber;
};

} // namespace asv
